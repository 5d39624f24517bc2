<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;zindle --help&apos; for more information.</source>
        <translation>Tente “zindle --help” para mais informações.</translation>
    </message>
    <message>
        <source>Renames one file at a time, and can move it into another folder.</source>
        <translation>Renomeia um arquivo por vez e pode movê-lo para outra pasta.</translation>
    </message>
    <message>
        <source>path</source>
        <translation>caminho</translation>
    </message>
    <message>
        <source>A folder to open, or a file to choose in its folder.</source>
        <translation>Uma pasta a abrir, ou um arquivo a escolher em sua pasta.</translation>
    </message>
    <message>
        <source>[path]</source>
        <translation>[caminho]</translation>
    </message>
    <message>
        <source>Give one folder or file at most.</source>
        <translation>Informe no máximo uma pasta ou um arquivo.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Drive and Directory</source>
        <translation>Unidade e diretório</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Nome do arquivo</translation>
    </message>
    <message>
        <source>Hold</source>
        <translation>Fixar</translation>
    </message>
    <message>
        <source>Destination Directory and Folder</source>
        <translation>Diretório e pasta de destino</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Extensão</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renomear</translation>
    </message>
    <message>
        <source>From</source>
        <translation>De</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Para</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arquivo</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Sair</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aj&amp;uda</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Sobre</translation>
    </message>
    <message>
        <source>&amp;Undo Rename</source>
        <translation>&amp;Desfazer a renomeação</translation>
    </message>
    <message>
        <source>&amp;Redo Rename</source>
        <translation>&amp;Refazer a renomeação</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Atualizar</translation>
    </message>
    <message>
        <source>Rename and Choose the Next File</source>
        <translation>Renomear e escolher o próximo arquivo</translation>
    </message>
    <message>
        <source>Choose the Next File</source>
        <translation>Escolher o próximo arquivo</translation>
    </message>
    <message>
        <source>Choose the Previous File</source>
        <translation>Escolher o arquivo anterior</translation>
    </message>
    <message>
        <source>Edit the File Name</source>
        <translation>Editar o nome do arquivo</translation>
    </message>
    <message>
        <source>Edit the Destination</source>
        <translation>Editar o destino</translation>
    </message>
    <message>
        <source>Recent Destinations</source>
        <translation>Destinos recentes</translation>
    </message>
    <message>
        <source>Directory does not exist</source>
        <translation>O diretório não existe</translation>
    </message>
    <message>
        <source>Rename and Move</source>
        <translation>Renomear e mover</translation>
    </message>
    <message>
        <source>Move and Rename</source>
        <translation>Mover e renomear</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Arquivos</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Unidade</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Pré-visualização</translation>
    </message>
    <message>
        <source>New base name of the file</source>
        <translation>Novo nome-base do arquivo</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Divisão por zero</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Estouro</translation>
    </message>
    <message>
        <source>The destination folder may not contain a NUL character.</source>
        <translation>A pasta de destino não pode conter um caractere NUL.</translation>
    </message>
    <message>
        <source>A file with that name already exists there; nothing was overwritten.</source>
        <translation>Já existe ali um arquivo com esse nome; nada foi sobrescrito.</translation>
    </message>
    <message>
        <source>The file, or the folder it should go to, no longer exists.</source>
        <translation>O arquivo, ou a pasta para onde ele deve ir, não existe mais.</translation>
    </message>
    <message>
        <source>You are not allowed to change the file or the folder it should go to.</source>
        <translation>Você não tem permissão para alterar o arquivo ou a pasta para onde ele deve ir.</translation>
    </message>
    <message>
        <source>The folder lies on a read-only disk.</source>
        <translation>A pasta está em um disco somente leitura.</translation>
    </message>
    <message>
        <source>There is not enough free space where the file should go.</source>
        <translation>Não há espaço livre suficiente onde o arquivo deve ir.</translation>
    </message>
    <message>
        <source>The destination folder path is too long.</source>
        <translation>O caminho da pasta de destino é longo demais.</translation>
    </message>
    <message>
        <source>The new name is too long.</source>
        <translation>O novo nome é longo demais.</translation>
    </message>
    <message>
        <source>The move was cancelled; the file stays where it was.</source>
        <translation>A movimentação foi cancelada; o arquivo continua onde estava.</translation>
    </message>
    <message>
        <source>A folder stands where the file should go.</source>
        <translation>Há uma pasta onde o arquivo deve ir.</translation>
    </message>
    <message>
        <source>A part of the destination folder path is a file, not a folder.</source>
        <translation>Uma parte do caminho da pasta de destino é um arquivo, não uma pasta.</translation>
    </message>
    <message>
        <source>That disk cannot do what the move needs; nothing was changed.</source>
        <translation>Esse disco não permite o que a movimentação exige; nada foi alterado.</translation>
    </message>
    <message>
        <source>The file is too large for the disk it should go to; nothing was changed.</source>
        <translation>O arquivo é grande demais para o disco para onde deve ir; nada foi alterado.</translation>
    </message>
    <message>
        <source>Only files can be moved to another disk.</source>
        <translation>Somente arquivos podem ser movidos para outro disco.</translation>
    </message>
    <message>
        <source>The file changed while it was being moved; it stays where it was.</source>
        <translation>O arquivo mudou enquanto era movido; ele continua onde estava.</translation>
    </message>
    <message>
        <source>A name may not contain a NUL character.</source>
        <translation>Um nome não pode conter um caractere NUL.</translation>
    </message>
    <message>
        <source>A name may not contain &quot;/&quot;.</source>
        <translation>Um nome não pode conter “/”.</translation>
    </message>
    <message>
        <source>Chose a File</source>
        <translation>Escolha um arquivo</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Arquivo</translation>
    </message>
    <message>
        <source>The destination folder must be a full path, starting with &quot;/&quot;.</source>
        <translation>A pasta de destino deve ser um caminho completo, começando com “/”.</translation>
    </message>
    <message>
        <source>Error File not Renamed</source>
        <translation>Erro: arquivo não renomeado</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erro</translation>
    </message>
    <message>
        <source>The target path may hold no &quot;.&quot; other than the one before the extension.</source>
        <translation>O caminho de destino não pode ter nenhum “.” além do que vem antes da extensão.</translation>
    </message>
    <message>
        <source>The disk does not answer, so the move could not be stopped yet; it goes on in the background. You will be told how it ends; nothing is lost either way.</source>
        <translation>O disco não responde, por isso ainda não foi possível parar a movimentação; ela continua em segundo plano. Você será avisado de como ela termina; nada se perde, de um jeito ou de outro.</translation>
    </message>
    <message>
        <source>Moving</source>
        <translation>Movendo</translation>
    </message>
    <message>
        <source>The move that did not answer has ended after all: the file is now &quot;%1&quot;.</source>
        <translation>A movimentação que não respondia terminou afinal: o arquivo agora é “%1”.</translation>
    </message>
    <message>
        <source>The move that did not answer has stopped: the file stays at &quot;%1&quot;.</source>
        <translation>A movimentação que não respondia foi interrompida: o arquivo continua em “%1”.</translation>
    </message>
    <message>
        <source>The move that did not answer has failed: the file stays at &quot;%1&quot;.
%2</source>
        <translation>A movimentação que não respondia falhou: o arquivo continua em “%1”.
%2</translation>
    </message>
    <message>
        <source>The path is too long to open.</source>
        <translation>O caminho é longo demais para ser aberto.</translation>
    </message>
    <message>
        <source>Cannot Open</source>
        <translation>Não é possível abrir</translation>
    </message>
    <message>
        <source>The path is not a folder or a regular file.</source>
        <translation>O caminho não é uma pasta nem um arquivo comum.</translation>
    </message>
    <message>
        <source>Rename and Move &quot;%1&quot;</source>
        <translation>a renomeação e movimentação de “%1”</translation>
    </message>
    <message>
        <source>Rename &quot;%1&quot;</source>
        <translation>a renomeação de “%1”</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer the file that was renamed; nothing was changed.</source>
        <translation>“%1” não é mais o arquivo que foi renomeado; nada foi alterado.</translation>
    </message>
    <message>
        <source>Another file now has the name &quot;%1&quot;; nothing was overwritten.</source>
        <translation>Outro arquivo agora se chama “%1”; nada foi sobrescrito.</translation>
    </message>
    <message>
        <source>Rename not Undone</source>
        <translation>Renomeação não desfeita</translation>
    </message>
    <message>
        <source>Rename not Redone</source>
        <translation>Renomeação não refeita</translation>
    </message>
    <message>
        <source>Undo Rename</source>
        <translation>Desfazer a renomeação</translation>
    </message>
    <message>
        <source>Redo Rename</source>
        <translation>Refazer a renomeação</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Desfazer %1</translation>
    </message>
    <message>
        <source>Back from %1 to %2</source>
        <translation>Voltar de %1 para %2</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Refazer %1</translation>
    </message>
    <message>
        <source>Again from %1 to %2</source>
        <translation>Novamente de %1 para %2</translation>
    </message>
</context>
<context>
    <name>Hellp</name>
    <message>
        <source>Exit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Texto de ajuda</translation>
    </message>
    <message>
        <source>Help file</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <source>To move and Rename a File</source>
        <translation>Para mover e renomear um arquivo</translation>
    </message>
    <message>
        <source>1) chose the Drive and directory you would like to place the ReNamed files in</source>
        <translation>1) Escolha a unidade e o diretório onde deseja colocar os arquivos renomeados</translation>
    </message>
    <message>
        <source>2) Click the checkbox labeled Hold to lock the destination  directory </source>
        <translation>2) Marque a caixa “Fixar” para travar o diretório de destino</translation>
    </message>
    <message>
        <source>5) Find the file you want to rename and click on the file</source>
        <translation>5) Encontre o arquivo que deseja renomear e clique nele</translation>
    </message>
    <message>
        <source>6) Enter new name in the File Name Textbox then the press Rename Button</source>
        <translation>6) Digite o novo nome na caixa “Nome do arquivo” e pressione o botão “Renomear”</translation>
    </message>
    <message>
        <source>To Just Rename a File</source>
        <translation>Para apenas renomear um arquivo</translation>
    </message>
    <message>
        <source>1) Chose the Drive, Directory and File you would like to ReName</source>
        <translation>1) Escolha a unidade, o diretório e o arquivo que deseja renomear</translation>
    </message>
    <message>
        <source>2) Type the New Name in the File Name Textbox</source>
        <translation>2) Digite o novo nome na caixa “Nome do arquivo”</translation>
    </message>
    <message>
        <source>3)Press ReName Button </source>
        <translation>3) Pressione o botão “Renomear”</translation>
    </message>
</context>
<context>
    <name>MoveDialog</name>
    <message>
        <source>Moving</source>
        <translation>Movendo</translation>
    </message>
    <message>
        <source>%p%</source>
        <extracomment>The share of the file copied; %p is the number of percent.</extracomment>
        <translation>%p%</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>How much of the file is copied: &quot;1.50 GiB of 4.00 GiB&quot;.</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Stopping the move…</source>
        <translation>Parando a movimentação…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Moving %1
to %2</source>
        <translation>Movendo %1
para %2</translation>
    </message>
</context>
<context>
    <name>PictureLoader</name>
    <message>
        <source>Not a picture</source>
        <translation>Não é uma imagem</translation>
    </message>
    <message>
        <source>Vector pictures cannot be previewed: their drawing program %1 is missing or cannot be started</source>
        <translation>Não é possível pré-visualizar imagens vetoriais: o programa de desenho %1 está ausente ou não pode ser iniciado</translation>
    </message>
    <message>
        <source>Too large to preview</source>
        <translation>Grande demais para pré-visualizar</translation>
    </message>
</context>
<context>
    <name>RecentFolders</name>
    <message>
        <source>Folders</source>
        <translation>Pastas</translation>
    </message>
    <message>
        <source>%1 (not found)</source>
        <translation>%1 (não encontrada)</translation>
    </message>
</context>
<context>
    <name>RenameJournal</name>
    <message>
        <source>Zindle cannot write its journal of moves in progress, %1 (%2), so it changed nothing</source>
        <translation>O Zindle não consegue gravar seu registro de movimentações em andamento, %1 (%2), por isso não alterou nada</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>This progam is used to simply, move and or rename of files</source>
        <translation>Este programa serve para mover e/ou renomear arquivos de forma simples</translation>
    </message>
    <message>
        <source>Always work with a copy of the original file</source>
        <translation>Trabalhe sempre com uma cópia do arquivo original</translation>
    </message>
    <message>
        <source>Tobrin asumes no responsibility for damaged, deleted or corupted files</source>
        <translation>A Tobrin não assume nenhuma responsabilidade por arquivos danificados, excluídos ou corrompidos</translation>
    </message>
    <message>
        <source>Copyright © 2026 The Zindle developers. GPL-3.0-or-later.</source>
        <translation>Copyright © 2026 Os desenvolvedores do Zindle. GPL-3.0-or-later.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Informações do &amp;sistema...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Sobre o %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Versão %1.%2.%3</translation>
    </message>
    <message>
        <source>Please read the help file before using the program</source>
        <translation>Leia a ajuda antes de usar o programa</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Chamada de procedimento ou argumento inválido</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>As informações do sistema não estão disponíveis no momento</translation>
    </message>
</context>
</TS>
