<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;zindle --help&apos; for more information.</source>
        <translation>Provare «zindle --help» per maggiori informazioni.</translation>
    </message>
    <message>
        <source>Renames one file at a time, and can move it into another folder.</source>
        <translation>Rinomina un file alla volta e può spostarlo in un’altra cartella.</translation>
    </message>
    <message>
        <source>path</source>
        <translation>percorso</translation>
    </message>
    <message>
        <source>A folder to open, or a file to choose in its folder.</source>
        <translation>Una cartella da aprire, o un file da scegliere nella sua cartella.</translation>
    </message>
    <message>
        <source>[path]</source>
        <translation>[percorso]</translation>
    </message>
    <message>
        <source>Give one folder or file at most.</source>
        <translation>Indicare al massimo una cartella o un file.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Drive and Directory</source>
        <translation>Unità e directory</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Nome del file</translation>
    </message>
    <message>
        <source>Hold</source>
        <translation>Fisso</translation>
    </message>
    <message>
        <source>Destination Directory and Folder</source>
        <translation>Directory e cartella di destinazione</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Estensione</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Rinomina</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Da</translation>
    </message>
    <message>
        <source>To</source>
        <translation>A</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aiuto</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Informazioni</translation>
    </message>
    <message>
        <source>&amp;Undo Rename</source>
        <translation>&amp;Annulla la rinomina</translation>
    </message>
    <message>
        <source>&amp;Redo Rename</source>
        <translation>&amp;Ripeti la rinomina</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aggiorna</translation>
    </message>
    <message>
        <source>Rename and Choose the Next File</source>
        <translation>Rinomina e scegli il file successivo</translation>
    </message>
    <message>
        <source>Choose the Next File</source>
        <translation>Scegli il file successivo</translation>
    </message>
    <message>
        <source>Choose the Previous File</source>
        <translation>Scegli il file precedente</translation>
    </message>
    <message>
        <source>Edit the File Name</source>
        <translation>Modifica il nome del file</translation>
    </message>
    <message>
        <source>Edit the Destination</source>
        <translation>Modifica la destinazione</translation>
    </message>
    <message>
        <source>Recent Destinations</source>
        <translation>Destinazioni recenti</translation>
    </message>
    <message>
        <source>Directory does not exist</source>
        <translation>La directory non esiste</translation>
    </message>
    <message>
        <source>Rename and Move</source>
        <translation>Rinomina e sposta</translation>
    </message>
    <message>
        <source>Move and Rename</source>
        <translation>Sposta e rinomina</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Unità</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Anteprima</translation>
    </message>
    <message>
        <source>New base name of the file</source>
        <translation>Nuovo nome base del file</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Divisione per zero</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>The destination folder may not contain a NUL character.</source>
        <translation>La cartella di destinazione non può contenere un carattere NUL.</translation>
    </message>
    <message>
        <source>A file with that name already exists there; nothing was overwritten.</source>
        <translation>Esiste già un file con quel nome in quella posizione; non è stato sovrascritto nulla.</translation>
    </message>
    <message>
        <source>The file, or the folder it should go to, no longer exists.</source>
        <translation>Il file, o la cartella in cui deve andare, non esiste più.</translation>
    </message>
    <message>
        <source>You are not allowed to change the file or the folder it should go to.</source>
        <translation>Non si dispone dei permessi per modificare il file o la cartella in cui deve andare.</translation>
    </message>
    <message>
        <source>The folder lies on a read-only disk.</source>
        <translation>La cartella si trova su un disco di sola lettura.</translation>
    </message>
    <message>
        <source>There is not enough free space where the file should go.</source>
        <translation>Non c’è abbastanza spazio libero dove deve andare il file.</translation>
    </message>
    <message>
        <source>The destination folder path is too long.</source>
        <translation>Il percorso della cartella di destinazione è troppo lungo.</translation>
    </message>
    <message>
        <source>The new name is too long.</source>
        <translation>Il nuovo nome è troppo lungo.</translation>
    </message>
    <message>
        <source>The move was cancelled; the file stays where it was.</source>
        <translation>Lo spostamento è stato annullato; il file resta dov’era.</translation>
    </message>
    <message>
        <source>A folder stands where the file should go.</source>
        <translation>Dove deve andare il file c’è una cartella.</translation>
    </message>
    <message>
        <source>A part of the destination folder path is a file, not a folder.</source>
        <translation>Una parte del percorso della cartella di destinazione è un file, non una cartella.</translation>
    </message>
    <message>
        <source>That disk cannot do what the move needs; nothing was changed.</source>
        <translation>Quel disco non consente ciò che serve allo spostamento; non è stato modificato nulla.</translation>
    </message>
    <message>
        <source>The file is too large for the disk it should go to; nothing was changed.</source>
        <translation>Il file è troppo grande per il disco in cui deve andare; non è stato modificato nulla.</translation>
    </message>
    <message>
        <source>Only files can be moved to another disk.</source>
        <translation>Solo i file possono essere spostati su un altro disco.</translation>
    </message>
    <message>
        <source>The file changed while it was being moved; it stays where it was.</source>
        <translation>Il file è cambiato durante lo spostamento; resta dov’era.</translation>
    </message>
    <message>
        <source>A name may not contain a NUL character.</source>
        <translation>Un nome non può contenere un carattere NUL.</translation>
    </message>
    <message>
        <source>A name may not contain &quot;/&quot;.</source>
        <translation>Un nome non può contenere «/».</translation>
    </message>
    <message>
        <source>Chose a File</source>
        <translation>Scegliere un file</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>The destination folder must be a full path, starting with &quot;/&quot;.</source>
        <translation>La cartella di destinazione deve essere un percorso completo che inizia con «/».</translation>
    </message>
    <message>
        <source>Error File not Renamed</source>
        <translation>Errore: file non rinominato</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
    <message>
        <source>The target path may hold no &quot;.&quot; other than the one before the extension.</source>
        <translation>Il percorso di destinazione non può contenere alcun «.» oltre a quello prima dell’estensione.</translation>
    </message>
    <message>
        <source>The disk does not answer, so the move could not be stopped yet; it goes on in the background. You will be told how it ends; nothing is lost either way.</source>
        <translation>Il disco non risponde, quindi non è stato ancora possibile fermare lo spostamento; prosegue in background. Verrà comunicato come finisce; in ogni caso non si perde nulla.</translation>
    </message>
    <message>
        <source>Moving</source>
        <translation>Spostamento</translation>
    </message>
    <message>
        <source>The move that did not answer has ended after all: the file is now &quot;%1&quot;.</source>
        <translation>Lo spostamento che non rispondeva è infine terminato: il file ora è «%1».</translation>
    </message>
    <message>
        <source>The move that did not answer has stopped: the file stays at &quot;%1&quot;.</source>
        <translation>Lo spostamento che non rispondeva si è fermato: il file resta «%1».</translation>
    </message>
    <message>
        <source>The move that did not answer has failed: the file stays at &quot;%1&quot;.
%2</source>
        <translation>Lo spostamento che non rispondeva non è riuscito: il file resta «%1».
%2</translation>
    </message>
    <message>
        <source>The path is too long to open.</source>
        <translation>Il percorso è troppo lungo per essere aperto.</translation>
    </message>
    <message>
        <source>Cannot Open</source>
        <translation>Impossibile aprire</translation>
    </message>
    <message>
        <source>The path is not a folder or a regular file.</source>
        <translation>Il percorso non è una cartella né un file regolare.</translation>
    </message>
    <message>
        <source>Rename and Move &quot;%1&quot;</source>
        <translation>la rinomina e lo spostamento di «%1»</translation>
    </message>
    <message>
        <source>Rename &quot;%1&quot;</source>
        <translation>la rinomina di «%1»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer the file that was renamed; nothing was changed.</source>
        <translation>«%1» non è più il file che è stato rinominato; non è stato modificato nulla.</translation>
    </message>
    <message>
        <source>Another file now has the name &quot;%1&quot;; nothing was overwritten.</source>
        <translation>Un altro file ora si chiama «%1»; non è stato sovrascritto nulla.</translation>
    </message>
    <message>
        <source>Rename not Undone</source>
        <translation>Rinomina non annullata</translation>
    </message>
    <message>
        <source>Rename not Redone</source>
        <translation>Rinomina non ripetuta</translation>
    </message>
    <message>
        <source>Undo Rename</source>
        <translation>Annulla la rinomina</translation>
    </message>
    <message>
        <source>Redo Rename</source>
        <translation>Ripeti la rinomina</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Annulla %1</translation>
    </message>
    <message>
        <source>Back from %1 to %2</source>
        <translation>Torna da %1 a %2</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Ripeti %1</translation>
    </message>
    <message>
        <source>Again from %1 to %2</source>
        <translation>Di nuovo da %1 a %2</translation>
    </message>
</context>
<context>
    <name>Hellp</name>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aiuto</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Testo della guida</translation>
    </message>
    <message>
        <source>Help file</source>
        <translation>Guida</translation>
    </message>
    <message>
        <source>To move and Rename a File</source>
        <translation>Per spostare e rinominare un file</translation>
    </message>
    <message>
        <source>1) chose the Drive and directory you would like to place the ReNamed files in</source>
        <translation>1) Scegliere l’unità e la directory in cui mettere i file rinominati</translation>
    </message>
    <message>
        <source>2) Click the checkbox labeled Hold to lock the destination  directory </source>
        <translation>2) Selezionare la casella «Fisso» per fissare la directory di destinazione</translation>
    </message>
    <message>
        <source>5) Find the file you want to rename and click on the file</source>
        <translation>5) Trovare il file da rinominare e fare clic su di esso</translation>
    </message>
    <message>
        <source>6) Enter new name in the File Name Textbox then the press Rename Button</source>
        <translation>6) Digitare il nuovo nome nella casella «Nome del file», poi premere il pulsante «Rinomina»</translation>
    </message>
    <message>
        <source>To Just Rename a File</source>
        <translation>Per rinominare soltanto un file</translation>
    </message>
    <message>
        <source>1) Chose the Drive, Directory and File you would like to ReName</source>
        <translation>1) Scegliere l’unità, la directory e il file da rinominare</translation>
    </message>
    <message>
        <source>2) Type the New Name in the File Name Textbox</source>
        <translation>2) Digitare il nuovo nome nella casella «Nome del file»</translation>
    </message>
    <message>
        <source>3)Press ReName Button </source>
        <translation>3) Premere il pulsante «Rinomina»</translation>
    </message>
</context>
<context>
    <name>MoveDialog</name>
    <message>
        <source>Moving</source>
        <translation>Spostamento</translation>
    </message>
    <message>
        <source>%p%</source>
        <extracomment>The share of the file copied; %p is the number of percent.</extracomment>
        <translation>%p%</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>How much of the file is copied: &quot;1.50 GiB of 4.00 GiB&quot;.</extracomment>
        <translation>%1 di %2</translation>
    </message>
    <message>
        <source>Stopping the move…</source>
        <translation>Arresto dello spostamento…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Moving %1
to %2</source>
        <translation>Spostamento di %1
in %2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>Not a picture</source>
        <translation>Non è un’immagine</translation>
    </message>
    <message>
        <source>Vector pictures cannot be previewed: their drawing program %1 is missing or cannot be started</source>
        <translation>Impossibile mostrare l’anteprima delle immagini vettoriali: il loro programma di disegno %1 manca o non può essere avviato</translation>
    </message>
    <message>
        <source>Too large to preview</source>
        <translation>Troppo grande per l’anteprima</translation>
    </message>
</context>
<context>
    <name>RecentFolders</name>
    <message>
        <source>Folders</source>
        <translation>Cartelle</translation>
    </message>
    <message>
        <source>%1 (not found)</source>
        <translation>%1 (non trovata)</translation>
    </message>
</context>
<context>
    <name>RenameJournal</name>
    <message>
        <source>Zindle cannot write its journal of moves in progress, %1 (%2), so it changed nothing</source>
        <translation>Zindle non può scrivere il proprio registro degli spostamenti in corso, %1 (%2), quindi non ha modificato nulla</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>This progam is used to simply, move and or rename of files</source>
        <translation>Questo programma serve a spostare e/o rinominare i file in modo semplice</translation>
    </message>
    <message>
        <source>Always work with a copy of the original file</source>
        <translation>Lavorare sempre su una copia del file originale</translation>
    </message>
    <message>
        <source>Tobrin asumes no responsibility for damaged, deleted or corupted files</source>
        <translation>Tobrin non si assume alcuna responsabilità per file danneggiati, eliminati o corrotti</translation>
    </message>
    <message>
        <source>Copyright © 2026 The Zindle developers. GPL-3.0-or-later.</source>
        <translation>Copyright © 2026 Gli sviluppatori di Zindle. GPL-3.0-or-later.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Informazioni di &amp;sistema...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Informazioni su %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Versione %1.%2.%3</translation>
    </message>
    <message>
        <source>Please read the help file before using the program</source>
        <translation>Leggere la guida prima di usare il programma</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Chiamata di routine o argomento non validi</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Le informazioni di sistema non sono disponibili al momento</translation>
    </message>
</context>
</TS>
