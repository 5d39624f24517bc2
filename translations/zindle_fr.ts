<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;zindle --help&apos; for more information.</source>
        <translation>Essayez « zindle --help » pour plus d’informations.</translation>
    </message>
    <message>
        <source>Renames one file at a time, and can move it into another folder.</source>
        <translation>Renomme un fichier à la fois, et peut le déplacer dans un autre dossier.</translation>
    </message>
    <message>
        <source>path</source>
        <translation>chemin</translation>
    </message>
    <message>
        <source>A folder to open, or a file to choose in its folder.</source>
        <translation>Un dossier à ouvrir, ou un fichier à choisir dans son dossier.</translation>
    </message>
    <message>
        <source>[path]</source>
        <translation>[chemin]</translation>
    </message>
    <message>
        <source>Give one folder or file at most.</source>
        <translation>Indiquez au plus un dossier ou un fichier.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Drive and Directory</source>
        <translation>Lecteur et répertoire</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Nom du fichier</translation>
    </message>
    <message>
        <source>Hold</source>
        <translation>Fixe</translation>
    </message>
    <message>
        <source>Destination Directory and Folder</source>
        <translation>Répertoire et dossier de destination</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>From</source>
        <translation>De</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Vers</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;Undo Rename</source>
        <translation>&amp;Annuler le renommage</translation>
    </message>
    <message>
        <source>&amp;Redo Rename</source>
        <translation>&amp;Rétablir le renommage</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Rename and Choose the Next File</source>
        <translation>Renommer et choisir le fichier suivant</translation>
    </message>
    <message>
        <source>Choose the Next File</source>
        <translation>Choisir le fichier suivant</translation>
    </message>
    <message>
        <source>Choose the Previous File</source>
        <translation>Choisir le fichier précédent</translation>
    </message>
    <message>
        <source>Edit the File Name</source>
        <translation>Modifier le nom du fichier</translation>
    </message>
    <message>
        <source>Edit the Destination</source>
        <translation>Modifier la destination</translation>
    </message>
    <message>
        <source>Recent Destinations</source>
        <translation>Destinations récentes</translation>
    </message>
    <message>
        <source>Directory does not exist</source>
        <translation>Le répertoire n’existe pas</translation>
    </message>
    <message>
        <source>Rename and Move</source>
        <translation>Renommer et déplacer</translation>
    </message>
    <message>
        <source>Move and Rename</source>
        <translation>Déplacer et renommer</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Lecteur</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>New base name of the file</source>
        <translation>Nouveau nom de base du fichier</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Division par zéro</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Dépassement de capacité</translation>
    </message>
    <message>
        <source>The destination folder may not contain a NUL character.</source>
        <translation>Le dossier de destination ne peut pas contenir de caractère NUL.</translation>
    </message>
    <message>
        <source>A file with that name already exists there; nothing was overwritten.</source>
        <translation>Un fichier de ce nom existe déjà à cet endroit ; rien n’a été écrasé.</translation>
    </message>
    <message>
        <source>The file, or the folder it should go to, no longer exists.</source>
        <translation>Le fichier, ou le dossier où il doit aller, n’existe plus.</translation>
    </message>
    <message>
        <source>You are not allowed to change the file or the folder it should go to.</source>
        <translation>Vous n’avez pas le droit de modifier le fichier ou le dossier où il doit aller.</translation>
    </message>
    <message>
        <source>The folder lies on a read-only disk.</source>
        <translation>Le dossier se trouve sur un disque en lecture seule.</translation>
    </message>
    <message>
        <source>There is not enough free space where the file should go.</source>
        <translation>Il n’y a pas assez d’espace libre là où le fichier doit aller.</translation>
    </message>
    <message>
        <source>The destination folder path is too long.</source>
        <translation>Le chemin du dossier de destination est trop long.</translation>
    </message>
    <message>
        <source>The new name is too long.</source>
        <translation>Le nouveau nom est trop long.</translation>
    </message>
    <message>
        <source>The move was cancelled; the file stays where it was.</source>
        <translation>Le déplacement a été annulé ; le fichier reste où il était.</translation>
    </message>
    <message>
        <source>A folder stands where the file should go.</source>
        <translation>Un dossier se trouve là où le fichier doit aller.</translation>
    </message>
    <message>
        <source>A part of the destination folder path is a file, not a folder.</source>
        <translation>Une partie du chemin du dossier de destination est un fichier, pas un dossier.</translation>
    </message>
    <message>
        <source>That disk cannot do what the move needs; nothing was changed.</source>
        <translation>Ce disque ne permet pas ce que le déplacement demande ; rien n’a été modifié.</translation>
    </message>
    <message>
        <source>The file is too large for the disk it should go to; nothing was changed.</source>
        <translation>Le fichier est trop gros pour le disque où il doit aller ; rien n’a été modifié.</translation>
    </message>
    <message>
        <source>Only files can be moved to another disk.</source>
        <translation>Seuls des fichiers peuvent être déplacés vers un autre disque.</translation>
    </message>
    <message>
        <source>The file changed while it was being moved; it stays where it was.</source>
        <translation>Le fichier a changé pendant son déplacement ; il reste où il était.</translation>
    </message>
    <message>
        <source>A name may not contain a NUL character.</source>
        <translation>Un nom ne peut pas contenir de caractère NUL.</translation>
    </message>
    <message>
        <source>A name may not contain &quot;/&quot;.</source>
        <translation>Un nom ne peut pas contenir « / ».</translation>
    </message>
    <message>
        <source>Chose a File</source>
        <translation>Choisissez un fichier</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>The destination folder must be a full path, starting with &quot;/&quot;.</source>
        <translation>Le dossier de destination doit être un chemin complet, commençant par « / ».</translation>
    </message>
    <message>
        <source>Error File not Renamed</source>
        <translation>Erreur : fichier non renommé</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>The target path may hold no &quot;.&quot; other than the one before the extension.</source>
        <translation>Le chemin cible ne peut contenir aucun « . » autre que celui qui précède l’extension.</translation>
    </message>
    <message>
        <source>The disk does not answer, so the move could not be stopped yet; it goes on in the background. You will be told how it ends; nothing is lost either way.</source>
        <translation>Le disque ne répond pas, le déplacement n’a donc pas encore pu être arrêté ; il se poursuit en arrière-plan. Vous serez informé de son issue ; rien n’est perdu dans un cas comme dans l’autre.</translation>
    </message>
    <message>
        <source>Moving</source>
        <translation>Déplacement</translation>
    </message>
    <message>
        <source>The move that did not answer has ended after all: the file is now &quot;%1&quot;.</source>
        <translation>Le déplacement qui ne répondait pas s’est finalement terminé : le fichier est maintenant « %1 ».</translation>
    </message>
    <message>
        <source>The move that did not answer has stopped: the file stays at &quot;%1&quot;.</source>
        <translation>Le déplacement qui ne répondait pas s’est arrêté : le fichier reste « %1 ».</translation>
    </message>
    <message>
        <source>The move that did not answer has failed: the file stays at &quot;%1&quot;.
%2</source>
        <translation>Le déplacement qui ne répondait pas a échoué : le fichier reste « %1 ».
%2</translation>
    </message>
    <message>
        <source>The path is too long to open.</source>
        <translation>Le chemin est trop long pour être ouvert.</translation>
    </message>
    <message>
        <source>Cannot Open</source>
        <translation>Ouverture impossible</translation>
    </message>
    <message>
        <source>The path is not a folder or a regular file.</source>
        <translation>Le chemin n’est ni un dossier ni un fichier ordinaire.</translation>
    </message>
    <message>
        <source>Rename and Move &quot;%1&quot;</source>
        <translation>le renommage et le déplacement de « %1 »</translation>
    </message>
    <message>
        <source>Rename &quot;%1&quot;</source>
        <translation>le renommage de « %1 »</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer the file that was renamed; nothing was changed.</source>
        <translation>« %1 » n’est plus le fichier qui a été renommé ; rien n’a été modifié.</translation>
    </message>
    <message>
        <source>Another file now has the name &quot;%1&quot;; nothing was overwritten.</source>
        <translation>Un autre fichier s’appelle maintenant « %1 » ; rien n’a été écrasé.</translation>
    </message>
    <message>
        <source>Rename not Undone</source>
        <translation>Renommage non annulé</translation>
    </message>
    <message>
        <source>Rename not Redone</source>
        <translation>Renommage non rétabli</translation>
    </message>
    <message>
        <source>Undo Rename</source>
        <translation>Annuler le renommage</translation>
    </message>
    <message>
        <source>Redo Rename</source>
        <translation>Rétablir le renommage</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Annuler %1</translation>
    </message>
    <message>
        <source>Back from %1 to %2</source>
        <translation>Retour de %1 à %2</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Rétablir %1</translation>
    </message>
    <message>
        <source>Again from %1 to %2</source>
        <translation>De nouveau de %1 à %2</translation>
    </message>
</context>
<context>
    <name>Hellp</name>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Texte d’aide</translation>
    </message>
    <message>
        <source>Help file</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>To move and Rename a File</source>
        <translation>Pour déplacer et renommer un fichier</translation>
    </message>
    <message>
        <source>1) chose the Drive and directory you would like to place the ReNamed files in</source>
        <translation>1) Choisissez le lecteur et le répertoire où placer les fichiers renommés</translation>
    </message>
    <message>
        <source>2) Click the checkbox labeled Hold to lock the destination  directory </source>
        <translation>2) Cochez la case « Fixe » pour fixer le répertoire de destination</translation>
    </message>
    <message>
        <source>5) Find the file you want to rename and click on the file</source>
        <translation>5) Trouvez le fichier à renommer et cliquez dessus</translation>
    </message>
    <message>
        <source>6) Enter new name in the File Name Textbox then the press Rename Button</source>
        <translation>6) Saisissez le nouveau nom dans la zone « Nom du fichier », puis cliquez sur le bouton « Renommer »</translation>
    </message>
    <message>
        <source>To Just Rename a File</source>
        <translation>Pour renommer seulement un fichier</translation>
    </message>
    <message>
        <source>1) Chose the Drive, Directory and File you would like to ReName</source>
        <translation>1) Choisissez le lecteur, le répertoire et le fichier à renommer</translation>
    </message>
    <message>
        <source>2) Type the New Name in the File Name Textbox</source>
        <translation>2) Saisissez le nouveau nom dans la zone « Nom du fichier »</translation>
    </message>
    <message>
        <source>3)Press ReName Button </source>
        <translation>3) Cliquez sur le bouton « Renommer »</translation>
    </message>
</context>
<context>
    <name>MoveDialog</name>
    <message>
        <source>Moving</source>
        <translation>Déplacement</translation>
    </message>
    <message>
        <source>%p%</source>
        <extracomment>The share of the file copied; %p is the number of percent.</extracomment>
        <translation>%p&#xa0;%</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>How much of the file is copied: &quot;1.50 GiB of 4.00 GiB&quot;.</extracomment>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>Stopping the move…</source>
        <translation>Arrêt du déplacement…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Moving %1
to %2</source>
        <translation>Déplacement de %1
vers %2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>Not a picture</source>
        <translation>Pas une image</translation>
    </message>
    <message>
        <source>Vector pictures cannot be previewed: their drawing program %1 is missing or cannot be started</source>
        <translation>Les images vectorielles ne peuvent pas être prévisualisées : leur programme de dessin %1 est absent ou ne peut pas être lancé</translation>
    </message>
    <message>
        <source>Too large to preview</source>
        <translation>Trop grand pour l’aperçu</translation>
    </message>
</context>
<context>
    <name>RecentFolders</name>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>%1 (not found)</source>
        <translation>%1 (introuvable)</translation>
    </message>
</context>
<context>
    <name>RenameJournal</name>
    <message>
        <source>Zindle cannot write its journal of moves in progress, %1 (%2), so it changed nothing</source>
        <translation>Zindle ne peut pas écrire son journal des déplacements en cours, %1 (%2), et n’a donc rien modifié</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>This progam is used to simply, move and or rename of files</source>
        <translation>Ce programme sert à déplacer et/ou renommer facilement des fichiers</translation>
    </message>
    <message>
        <source>Always work with a copy of the original file</source>
        <translation>Travaillez toujours sur une copie du fichier original</translation>
    </message>
    <message>
        <source>Tobrin asumes no responsibility for damaged, deleted or corupted files</source>
        <translation>Tobrin décline toute responsabilité pour les fichiers endommagés, supprimés ou corrompus</translation>
    </message>
    <message>
        <source>Copyright © 2026 The Zindle developers. GPL-3.0-or-later.</source>
        <translation>Copyright © 2026 Les développeurs de Zindle. GPL-3.0-or-later.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Infos &amp;système...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>À propos de %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>Please read the help file before using the program</source>
        <translation>Veuillez lire l’aide avant d’utiliser le programme</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Appel de procédure ou argument incorrect</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Les informations système ne sont pas disponibles pour le moment</translation>
    </message>
</context>
</TS>
