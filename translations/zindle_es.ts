<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;zindle --help&apos; for more information.</source>
        <translation>Pruebe «zindle --help» para más información.</translation>
    </message>
    <message>
        <source>Renames one file at a time, and can move it into another folder.</source>
        <translation>Cambia el nombre de un archivo cada vez y puede moverlo a otra carpeta.</translation>
    </message>
    <message>
        <source>path</source>
        <translation>ruta</translation>
    </message>
    <message>
        <source>A folder to open, or a file to choose in its folder.</source>
        <translation>Una carpeta que abrir o un archivo que elegir en su carpeta.</translation>
    </message>
    <message>
        <source>[path]</source>
        <translation>[ruta]</translation>
    </message>
    <message>
        <source>Give one folder or file at most.</source>
        <translation>Indique como máximo una carpeta o un archivo.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Drive and Directory</source>
        <translation>Unidad y directorio</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Nombre de archivo</translation>
    </message>
    <message>
        <source>Hold</source>
        <translation>Fijar</translation>
    </message>
    <message>
        <source>Destination Directory and Folder</source>
        <translation>Directorio y carpeta de destino</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Extensión</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Cambiar nombre</translation>
    </message>
    <message>
        <source>From</source>
        <translation>De</translation>
    </message>
    <message>
        <source>To</source>
        <translation>A</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>&amp;Undo Rename</source>
        <translation>&amp;Deshacer el cambio de nombre</translation>
    </message>
    <message>
        <source>&amp;Redo Rename</source>
        <translation>&amp;Rehacer el cambio de nombre</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Rename and Choose the Next File</source>
        <translation>Cambiar el nombre y elegir el archivo siguiente</translation>
    </message>
    <message>
        <source>Choose the Next File</source>
        <translation>Elegir el archivo siguiente</translation>
    </message>
    <message>
        <source>Choose the Previous File</source>
        <translation>Elegir el archivo anterior</translation>
    </message>
    <message>
        <source>Edit the File Name</source>
        <translation>Editar el nombre de archivo</translation>
    </message>
    <message>
        <source>Edit the Destination</source>
        <translation>Editar el destino</translation>
    </message>
    <message>
        <source>Recent Destinations</source>
        <translation>Destinos recientes</translation>
    </message>
    <message>
        <source>Directory does not exist</source>
        <translation>El directorio no existe</translation>
    </message>
    <message>
        <source>Rename and Move</source>
        <translation>Cambiar nombre y mover</translation>
    </message>
    <message>
        <source>Move and Rename</source>
        <translation>Mover y cambiar de nombre</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Unidad</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>New base name of the file</source>
        <translation>Nuevo nombre base del archivo</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>División por cero</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Desbordamiento</translation>
    </message>
    <message>
        <source>The destination folder may not contain a NUL character.</source>
        <translation>La carpeta de destino no puede contener un carácter NUL.</translation>
    </message>
    <message>
        <source>A file with that name already exists there; nothing was overwritten.</source>
        <translation>Ya existe allí un archivo con ese nombre; no se ha sobrescrito nada.</translation>
    </message>
    <message>
        <source>The file, or the folder it should go to, no longer exists.</source>
        <translation>El archivo, o la carpeta a la que debe ir, ya no existe.</translation>
    </message>
    <message>
        <source>You are not allowed to change the file or the folder it should go to.</source>
        <translation>No tiene permiso para modificar el archivo o la carpeta a la que debe ir.</translation>
    </message>
    <message>
        <source>The folder lies on a read-only disk.</source>
        <translation>La carpeta está en un disco de solo lectura.</translation>
    </message>
    <message>
        <source>There is not enough free space where the file should go.</source>
        <translation>No hay suficiente espacio libre donde debe ir el archivo.</translation>
    </message>
    <message>
        <source>The destination folder path is too long.</source>
        <translation>La ruta de la carpeta de destino es demasiado larga.</translation>
    </message>
    <message>
        <source>The new name is too long.</source>
        <translation>El nombre nuevo es demasiado largo.</translation>
    </message>
    <message>
        <source>The move was cancelled; the file stays where it was.</source>
        <translation>Se ha cancelado el traslado; el archivo sigue donde estaba.</translation>
    </message>
    <message>
        <source>A folder stands where the file should go.</source>
        <translation>Hay una carpeta donde debe ir el archivo.</translation>
    </message>
    <message>
        <source>A part of the destination folder path is a file, not a folder.</source>
        <translation>Una parte de la ruta de la carpeta de destino es un archivo, no una carpeta.</translation>
    </message>
    <message>
        <source>That disk cannot do what the move needs; nothing was changed.</source>
        <translation>Ese disco no admite lo que necesita el traslado; no se ha cambiado nada.</translation>
    </message>
    <message>
        <source>The file is too large for the disk it should go to; nothing was changed.</source>
        <translation>El archivo es demasiado grande para el disco al que debe ir; no se ha cambiado nada.</translation>
    </message>
    <message>
        <source>Only files can be moved to another disk.</source>
        <translation>Solo se pueden mover archivos a otro disco.</translation>
    </message>
    <message>
        <source>The file changed while it was being moved; it stays where it was.</source>
        <translation>El archivo cambió mientras se movía; sigue donde estaba.</translation>
    </message>
    <message>
        <source>A name may not contain a NUL character.</source>
        <translation>Un nombre no puede contener un carácter NUL.</translation>
    </message>
    <message>
        <source>A name may not contain &quot;/&quot;.</source>
        <translation>Un nombre no puede contener «/».</translation>
    </message>
    <message>
        <source>Chose a File</source>
        <translation>Elija un archivo</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>The destination folder must be a full path, starting with &quot;/&quot;.</source>
        <translation>La carpeta de destino debe ser una ruta completa que empiece por «/».</translation>
    </message>
    <message>
        <source>Error File not Renamed</source>
        <translation>Error: no se ha cambiado el nombre del archivo</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>The target path may hold no &quot;.&quot; other than the one before the extension.</source>
        <translation>La ruta de destino no puede tener ningún «.» aparte del que precede a la extensión.</translation>
    </message>
    <message>
        <source>The disk does not answer, so the move could not be stopped yet; it goes on in the background. You will be told how it ends; nothing is lost either way.</source>
        <translation>El disco no responde, así que todavía no se ha podido detener el traslado; continúa en segundo plano. Se le informará de cómo termina; en cualquier caso no se pierde nada.</translation>
    </message>
    <message>
        <source>Moving</source>
        <translation>Moviendo</translation>
    </message>
    <message>
        <source>The move that did not answer has ended after all: the file is now &quot;%1&quot;.</source>
        <translation>El traslado que no respondía ha terminado por fin: el archivo es ahora «%1».</translation>
    </message>
    <message>
        <source>The move that did not answer has stopped: the file stays at &quot;%1&quot;.</source>
        <translation>El traslado que no respondía se ha detenido: el archivo sigue siendo «%1».</translation>
    </message>
    <message>
        <source>The move that did not answer has failed: the file stays at &quot;%1&quot;.
%2</source>
        <translation>El traslado que no respondía ha fallado: el archivo sigue siendo «%1».
%2</translation>
    </message>
    <message>
        <source>The path is too long to open.</source>
        <translation>La ruta es demasiado larga para abrirla.</translation>
    </message>
    <message>
        <source>Cannot Open</source>
        <translation>No se puede abrir</translation>
    </message>
    <message>
        <source>The path is not a folder or a regular file.</source>
        <translation>La ruta no es una carpeta ni un archivo normal.</translation>
    </message>
    <message>
        <source>Rename and Move &quot;%1&quot;</source>
        <translation>el cambio de nombre y traslado de «%1»</translation>
    </message>
    <message>
        <source>Rename &quot;%1&quot;</source>
        <translation>el cambio de nombre de «%1»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer the file that was renamed; nothing was changed.</source>
        <translation>«%1» ya no es el archivo cuyo nombre se cambió; no se ha cambiado nada.</translation>
    </message>
    <message>
        <source>Another file now has the name &quot;%1&quot;; nothing was overwritten.</source>
        <translation>Otro archivo se llama ahora «%1»; no se ha sobrescrito nada.</translation>
    </message>
    <message>
        <source>Rename not Undone</source>
        <translation>No se ha deshecho el cambio de nombre</translation>
    </message>
    <message>
        <source>Rename not Redone</source>
        <translation>No se ha rehecho el cambio de nombre</translation>
    </message>
    <message>
        <source>Undo Rename</source>
        <translation>Deshacer el cambio de nombre</translation>
    </message>
    <message>
        <source>Redo Rename</source>
        <translation>Rehacer el cambio de nombre</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Deshacer %1</translation>
    </message>
    <message>
        <source>Back from %1 to %2</source>
        <translation>Volver de %1 a %2</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Rehacer %1</translation>
    </message>
    <message>
        <source>Again from %1 to %2</source>
        <translation>De nuevo de %1 a %2</translation>
    </message>
</context>
<context>
    <name>Hellp</name>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Texto de ayuda</translation>
    </message>
    <message>
        <source>Help file</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>To move and Rename a File</source>
        <translation>Para mover un archivo y cambiarle el nombre</translation>
    </message>
    <message>
        <source>1) chose the Drive and directory you would like to place the ReNamed files in</source>
        <translation>1) Elija la unidad y el directorio donde quiere colocar los archivos renombrados</translation>
    </message>
    <message>
        <source>2) Click the checkbox labeled Hold to lock the destination  directory </source>
        <translation>2) Marque la casilla «Fijar» para bloquear el directorio de destino</translation>
    </message>
    <message>
        <source>5) Find the file you want to rename and click on the file</source>
        <translation>5) Busque el archivo al que quiere cambiar el nombre y haga clic en él</translation>
    </message>
    <message>
        <source>6) Enter new name in the File Name Textbox then the press Rename Button</source>
        <translation>6) Escriba el nombre nuevo en el cuadro «Nombre de archivo» y pulse el botón «Cambiar nombre»</translation>
    </message>
    <message>
        <source>To Just Rename a File</source>
        <translation>Para solo cambiar el nombre de un archivo</translation>
    </message>
    <message>
        <source>1) Chose the Drive, Directory and File you would like to ReName</source>
        <translation>1) Elija la unidad, el directorio y el archivo al que quiere cambiar el nombre</translation>
    </message>
    <message>
        <source>2) Type the New Name in the File Name Textbox</source>
        <translation>2) Escriba el nombre nuevo en el cuadro «Nombre de archivo»</translation>
    </message>
    <message>
        <source>3)Press ReName Button </source>
        <translation>3) Pulse el botón «Cambiar nombre»</translation>
    </message>
</context>
<context>
    <name>MoveDialog</name>
    <message>
        <source>Moving</source>
        <translation>Moviendo</translation>
    </message>
    <message>
        <source>%p%</source>
        <extracomment>The share of the file copied; %p is the number of percent.</extracomment>
        <translation>%p&#xa0;%</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>How much of the file is copied: &quot;1.50 GiB of 4.00 GiB&quot;.</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Stopping the move…</source>
        <translation>Deteniendo el traslado…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Moving %1
to %2</source>
        <translation>Moviendo %1
a %2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>Not a picture</source>
        <translation>No es una imagen</translation>
    </message>
    <message>
        <source>Vector pictures cannot be previewed: their drawing program %1 is missing or cannot be started</source>
        <translation>No se pueden previsualizar las imágenes vectoriales: falta su programa de dibujo %1 o no se puede iniciar</translation>
    </message>
    <message>
        <source>Too large to preview</source>
        <translation>Demasiado grande para la vista previa</translation>
    </message>
</context>
<context>
    <name>RecentFolders</name>
    <message>
        <source>Folders</source>
        <translation>Carpetas</translation>
    </message>
    <message>
        <source>%1 (not found)</source>
        <translation>%1 (no encontrada)</translation>
    </message>
</context>
<context>
    <name>RenameJournal</name>
    <message>
        <source>Zindle cannot write its journal of moves in progress, %1 (%2), so it changed nothing</source>
        <translation>Zindle no puede escribir su registro de traslados en curso, %1 (%2), así que no ha cambiado nada</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>This progam is used to simply, move and or rename of files</source>
        <translation>Este programa sirve para mover y/o cambiar el nombre de archivos de forma sencilla</translation>
    </message>
    <message>
        <source>Always work with a copy of the original file</source>
        <translation>Trabaje siempre con una copia del archivo original</translation>
    </message>
    <message>
        <source>Tobrin asumes no responsibility for damaged, deleted or corupted files</source>
        <translation>Tobrin no asume ninguna responsabilidad por archivos dañados, eliminados o corruptos</translation>
    </message>
    <message>
        <source>Copyright © 2026 The Zindle developers. GPL-3.0-or-later.</source>
        <translation>Copyright © 2026 Los desarrolladores de Zindle. GPL-3.0-or-later.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Información del &amp;sistema...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Acerca de %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Versión %1.%2.%3</translation>
    </message>
    <message>
        <source>Please read the help file before using the program</source>
        <translation>Lea la ayuda antes de usar el programa</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Llamada a procedimiento o argumento no válidos</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>La información del sistema no está disponible en este momento</translation>
    </message>
</context>
</TS>
