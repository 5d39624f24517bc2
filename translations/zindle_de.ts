<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;zindle --help&apos; for more information.</source>
        <translation>Weitere Informationen erhalten Sie mit „zindle --help“.</translation>
    </message>
    <message>
        <source>Renames one file at a time, and can move it into another folder.</source>
        <translation>Benennt Dateien einzeln um und kann sie dabei in einen anderen Ordner verschieben.</translation>
    </message>
    <message>
        <source>path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>A folder to open, or a file to choose in its folder.</source>
        <translation>Ein Ordner, der geöffnet wird, oder eine Datei, die in ihrem Ordner ausgewählt wird.</translation>
    </message>
    <message>
        <source>[path]</source>
        <translation>[Pfad]</translation>
    </message>
    <message>
        <source>Give one folder or file at most.</source>
        <translation>Geben Sie höchstens einen Ordner oder eine Datei an.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Drive and Directory</source>
        <translation>Laufwerk und Verzeichnis</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Hold</source>
        <translation>Fest</translation>
    </message>
    <message>
        <source>Destination Directory and Folder</source>
        <translation>Zielverzeichnis und -ordner</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Endung</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Nach</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;Undo Rename</source>
        <translation>&amp;Rückgängig: Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Redo Rename</source>
        <translation>&amp;Wiederholen: Umbenennen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Rename and Choose the Next File</source>
        <translation>Umbenennen und nächste Datei wählen</translation>
    </message>
    <message>
        <source>Choose the Next File</source>
        <translation>Nächste Datei wählen</translation>
    </message>
    <message>
        <source>Choose the Previous File</source>
        <translation>Vorherige Datei wählen</translation>
    </message>
    <message>
        <source>Edit the File Name</source>
        <translation>Dateinamen bearbeiten</translation>
    </message>
    <message>
        <source>Edit the Destination</source>
        <translation>Ziel bearbeiten</translation>
    </message>
    <message>
        <source>Recent Destinations</source>
        <translation>Zuletzt verwendete Ziele</translation>
    </message>
    <message>
        <source>Directory does not exist</source>
        <translation>Verzeichnis existiert nicht</translation>
    </message>
    <message>
        <source>Rename and Move</source>
        <translation>Umbenennen und verschieben</translation>
    </message>
    <message>
        <source>Move and Rename</source>
        <translation>Verschieben und umbenennen</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>New base name of the file</source>
        <translation>Neuer Basisname der Datei</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Division durch null</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>The destination folder may not contain a NUL character.</source>
        <translation>Der Zielordner darf kein NUL-Zeichen enthalten.</translation>
    </message>
    <message>
        <source>A file with that name already exists there; nothing was overwritten.</source>
        <translation>Dort existiert bereits eine Datei mit diesem Namen; es wurde nichts überschrieben.</translation>
    </message>
    <message>
        <source>The file, or the folder it should go to, no longer exists.</source>
        <translation>Die Datei oder der Ordner, in den sie soll, existiert nicht mehr.</translation>
    </message>
    <message>
        <source>You are not allowed to change the file or the folder it should go to.</source>
        <translation>Sie dürfen die Datei oder den Ordner, in den sie soll, nicht ändern.</translation>
    </message>
    <message>
        <source>The folder lies on a read-only disk.</source>
        <translation>Der Ordner liegt auf einem schreibgeschützten Datenträger.</translation>
    </message>
    <message>
        <source>There is not enough free space where the file should go.</source>
        <translation>Dort, wo die Datei hin soll, ist nicht genug Platz frei.</translation>
    </message>
    <message>
        <source>The destination folder path is too long.</source>
        <translation>Der Pfad des Zielordners ist zu lang.</translation>
    </message>
    <message>
        <source>The new name is too long.</source>
        <translation>Der neue Name ist zu lang.</translation>
    </message>
    <message>
        <source>The move was cancelled; the file stays where it was.</source>
        <translation>Das Verschieben wurde abgebrochen; die Datei bleibt, wo sie war.</translation>
    </message>
    <message>
        <source>A folder stands where the file should go.</source>
        <translation>Wo die Datei hin soll, steht ein Ordner.</translation>
    </message>
    <message>
        <source>A part of the destination folder path is a file, not a folder.</source>
        <translation>Ein Teil des Zielordnerpfads ist eine Datei, kein Ordner.</translation>
    </message>
    <message>
        <source>That disk cannot do what the move needs; nothing was changed.</source>
        <translation>Dieser Datenträger kann nicht, was das Verschieben braucht; es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The file is too large for the disk it should go to; nothing was changed.</source>
        <translation>Die Datei ist zu groß für den Datenträger, auf den sie soll; es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Only files can be moved to another disk.</source>
        <translation>Nur Dateien können auf einen anderen Datenträger verschoben werden.</translation>
    </message>
    <message>
        <source>The file changed while it was being moved; it stays where it was.</source>
        <translation>Die Datei hat sich beim Verschieben geändert; sie bleibt, wo sie war.</translation>
    </message>
    <message>
        <source>A name may not contain a NUL character.</source>
        <translation>Ein Name darf kein NUL-Zeichen enthalten.</translation>
    </message>
    <message>
        <source>A name may not contain &quot;/&quot;.</source>
        <translation>Ein Name darf kein „/“ enthalten.</translation>
    </message>
    <message>
        <source>Chose a File</source>
        <translation>Wählen Sie eine Datei</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>The destination folder must be a full path, starting with &quot;/&quot;.</source>
        <translation>Der Zielordner muss ein vollständiger Pfad sein, der mit „/“ beginnt.</translation>
    </message>
    <message>
        <source>Error File not Renamed</source>
        <translation>Fehler: Datei nicht umbenannt</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>The target path may hold no &quot;.&quot; other than the one before the extension.</source>
        <translation>Der Zielpfad darf keinen „.“ außer dem vor der Erweiterung enthalten.</translation>
    </message>
    <message>
        <source>The disk does not answer, so the move could not be stopped yet; it goes on in the background. You will be told how it ends; nothing is lost either way.</source>
        <translation>Der Datenträger antwortet nicht, daher konnte das Verschieben noch nicht angehalten werden; es läuft im Hintergrund weiter. Sie erfahren, wie es ausgeht; so oder so geht nichts verloren.</translation>
    </message>
    <message>
        <source>Moving</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>The move that did not answer has ended after all: the file is now &quot;%1&quot;.</source>
        <translation>Das Verschieben, das nicht antwortete, ist doch noch fertig geworden: Die Datei ist jetzt „%1“.</translation>
    </message>
    <message>
        <source>The move that did not answer has stopped: the file stays at &quot;%1&quot;.</source>
        <translation>Das Verschieben, das nicht antwortete, wurde angehalten: Die Datei bleibt „%1“.</translation>
    </message>
    <message>
        <source>The move that did not answer has failed: the file stays at &quot;%1&quot;.
%2</source>
        <translation>Das Verschieben, das nicht antwortete, ist fehlgeschlagen: Die Datei bleibt „%1“.
%2</translation>
    </message>
    <message>
        <source>The path is too long to open.</source>
        <translation>Der Pfad ist zu lang, um ihn zu öffnen.</translation>
    </message>
    <message>
        <source>Cannot Open</source>
        <translation>Öffnen nicht möglich</translation>
    </message>
    <message>
        <source>The path is not a folder or a regular file.</source>
        <translation>Der Pfad ist weder ein Ordner noch eine reguläre Datei.</translation>
    </message>
    <message>
        <source>Rename and Move &quot;%1&quot;</source>
        <translation>Umbenennen und Verschieben von „%1“</translation>
    </message>
    <message>
        <source>Rename &quot;%1&quot;</source>
        <translation>Umbenennen von „%1“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer the file that was renamed; nothing was changed.</source>
        <translation>„%1“ ist nicht mehr die Datei, die umbenannt wurde; es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Another file now has the name &quot;%1&quot;; nothing was overwritten.</source>
        <translation>Eine andere Datei heißt jetzt „%1“; es wurde nichts überschrieben.</translation>
    </message>
    <message>
        <source>Rename not Undone</source>
        <translation>Umbenennen nicht rückgängig gemacht</translation>
    </message>
    <message>
        <source>Rename not Redone</source>
        <translation>Umbenennen nicht wiederholt</translation>
    </message>
    <message>
        <source>Undo Rename</source>
        <translation>Umbenennen rückgängig machen</translation>
    </message>
    <message>
        <source>Redo Rename</source>
        <translation>Umbenennen wiederholen</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>Back from %1 to %2</source>
        <translation>Zurück von %1 nach %2</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <source>Again from %1 to %2</source>
        <translation>Erneut von %1 nach %2</translation>
    </message>
</context>
<context>
    <name>Hellp</name>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Hilfetext</translation>
    </message>
    <message>
        <source>Help file</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>To move and Rename a File</source>
        <translation>Eine Datei verschieben und umbenennen</translation>
    </message>
    <message>
        <source>1) chose the Drive and directory you would like to place the ReNamed files in</source>
        <translation>1) Wählen Sie das Laufwerk und das Verzeichnis, in das die umbenannten Dateien sollen</translation>
    </message>
    <message>
        <source>2) Click the checkbox labeled Hold to lock the destination  directory </source>
        <translation>2) Kreuzen Sie das Kästchen „Fest“ an, um das Zielverzeichnis festzuhalten</translation>
    </message>
    <message>
        <source>5) Find the file you want to rename and click on the file</source>
        <translation>5) Suchen Sie die Datei, die Sie umbenennen möchten, und klicken Sie darauf</translation>
    </message>
    <message>
        <source>6) Enter new name in the File Name Textbox then the press Rename Button</source>
        <translation>6) Geben Sie den neuen Namen in das Feld „Dateiname“ ein und klicken Sie dann auf „Umbenennen“</translation>
    </message>
    <message>
        <source>To Just Rename a File</source>
        <translation>Eine Datei nur umbenennen</translation>
    </message>
    <message>
        <source>1) Chose the Drive, Directory and File you would like to ReName</source>
        <translation>1) Wählen Sie das Laufwerk, das Verzeichnis und die Datei, die Sie umbenennen möchten</translation>
    </message>
    <message>
        <source>2) Type the New Name in the File Name Textbox</source>
        <translation>2) Geben Sie den neuen Namen in das Feld „Dateiname“ ein</translation>
    </message>
    <message>
        <source>3)Press ReName Button </source>
        <translation>3) Klicken Sie auf „Umbenennen“</translation>
    </message>
</context>
<context>
    <name>MoveDialog</name>
    <message>
        <source>Moving</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>%p%</source>
        <extracomment>The share of the file copied; %p is the number of percent.</extracomment>
        <translation>%p %</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>How much of the file is copied: &quot;1.50 GiB of 4.00 GiB&quot;.</extracomment>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Stopping the move…</source>
        <translation>Verschieben wird angehalten…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Moving %1
to %2</source>
        <translation>Verschieben von %1
nach %2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>Not a picture</source>
        <translation>Kein Bild</translation>
    </message>
    <message>
        <source>Vector pictures cannot be previewed: their drawing program %1 is missing or cannot be started</source>
        <translation>Vektorbilder können nicht in der Vorschau gezeigt werden: Ihr Zeichenprogramm %1 fehlt oder lässt sich nicht starten</translation>
    </message>
    <message>
        <source>Too large to preview</source>
        <translation>Zu groß für eine Vorschau</translation>
    </message>
</context>
<context>
    <name>RecentFolders</name>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>%1 (not found)</source>
        <translation>%1 (nicht gefunden)</translation>
    </message>
</context>
<context>
    <name>RenameJournal</name>
    <message>
        <source>Zindle cannot write its journal of moves in progress, %1 (%2), so it changed nothing</source>
        <translation>Zindle kann sein Protokoll laufender Verschiebevorgänge nicht schreiben, %1 (%2), und hat daher nichts geändert</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>This progam is used to simply, move and or rename of files</source>
        <translation>Mit diesem Programm lassen sich Dateien einfach verschieben und/oder umbenennen</translation>
    </message>
    <message>
        <source>Always work with a copy of the original file</source>
        <translation>Arbeiten Sie immer mit einer Kopie der Originaldatei</translation>
    </message>
    <message>
        <source>Tobrin asumes no responsibility for damaged, deleted or corupted files</source>
        <translation>Tobrin übernimmt keine Haftung für beschädigte, gelöschte oder verfälschte Dateien</translation>
    </message>
    <message>
        <source>Copyright © 2026 The Zindle developers. GPL-3.0-or-later.</source>
        <translation>Copyright © 2026 Die Zindle-Entwickler. GPL-3.0-or-later.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminfo...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>Please read the help file before using the program</source>
        <translation>Bitte lesen Sie die Hilfe, bevor Sie das Programm verwenden</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ungültiger Prozeduraufruf oder ungültiges Argument</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
</context>
</TS>
