<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Start </source>
        <translation>Iniciar </translation>
    </message>
    <message>
        <source>Device :</source>
        <translation>Dispositivo:</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>Nova versão do firmware:</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>Versão atual do firmware: </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Voltar</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Avançar</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Concluir</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>Arquivo de log (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>Desconhecido</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erro</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Pergunta</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informação</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>Verifique a conexão e a alimentação do dispositivo!</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>Bootloader</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>Desligue e ligue novamente o dispositivo!</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>Arquivo de firmware não encontrado!</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Bem-vindo ao </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation> Firmware Upgrade</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>Antes de iniciar a atualização do firmware </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation>, verifique os itens abaixo:</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>Ligue o dispositivo </translation>
    </message>
    <message>
        <source> device.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>Conecte o dispositivo </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation> ao computador via USB.</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Informações do dispositivo</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>Clique em Avançar para atualizar</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Atualização de firmware</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>Atualização em andamento!
Não desligue nem desconecte o dispositivo</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>Atualização concluída com sucesso!
Desligue o dispositivo e ligue-o novamente.</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>Desligue o dispositivo e ligue-o novamente.
Verifique se o dispositivo está conectado ao computador</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>É necessário reiniciar o sistema. Reinicie o Windows para continuar a instalação do novo firmware.

Clique em “Sim” para reiniciar o sistema. Verifique se todos os aplicativos foram salvos e fechados.

Clique em “Cancelar” para cancelar a atualização do firmware.</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>Falha no acesso ao sistema. Verifique se você está no modo de administrador e execute o programa novamente.</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>Falha na inicialização do sistema.
Abra o aplicativo novamente.</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Execute o programa novamente depois que o Windows for reiniciado.</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>Verifique se o dispositivo está desligado e se o cabo USB está desconectado do computador.</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>O sistema foi modificado.
Ligue o dispositivo e conecte-o ao computador.</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>Inicializando o sistema operacional</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>Aguarde um momento</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>Tempo limite do sistema esgotado
Desligue o dispositivo e tente novamente</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>Ocorreu um erro inesperado durante a atualização.<byte value="xd"/>
Clique em “Sim” para gerar o relatório.</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>Você está tentando voltar para uma versão mais antiga do firmware (downgrade), o que pode causar a perda das configurações e dos parâmetros relacionados e uma falha grave do dispositivo. É altamente recomendável cancelar o downgrade! Deseja atualizar mesmo assim?</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>Você está tentando voltar para uma versão mais antiga e incompatível do firmware (downgrade), o que pode causar a perda das configurações e dos parâmetros relacionados e uma falha grave do dispositivo. A atualização será encerrada. Clique em OK para fechar o programa.</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Parado</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>Iniciando</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>Parando</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Em execução</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>Continuando</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>Pausando</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Pausado</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>O arquivo de firmware %1 está vazio.
O dispositivo não foi alterado.</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>O arquivo de firmware %1 não é um arquivo.
O dispositivo não foi alterado.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>Não é possível ler o arquivo de firmware %1: %2.
O dispositivo não foi alterado.</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>O arquivo de firmware %1 (%2 bytes) não cabe na unidade do dispositivo (%3 bytes livres).
O dispositivo não foi alterado.</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>Aguardando o dispositivo ser desligado e ligado novamente, para confirmar o firmware em execução ...</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>Confirmado: o dispositivo agora executa %1.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>O novo firmware não foi aplicado: o dispositivo ainda executa %1.
Execute a atualização novamente.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>O novo firmware não foi aplicado: o dispositivo voltou em modo bootloader.
Execute a atualização novamente.</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>O dispositivo não foi detectado novamente em 3&#xa0;minutos.
Verifique se ele está ligado e conectado ao computador via USB e clique em Concluir e depois em Iniciar para ver o firmware em execução.</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>A cópia está demorando mais do que o esperado e ainda está em andamento.
Não desligue nem desconecte o dispositivo ainda: esta página avisa quando for seguro.</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>Nada foi gravado no dispositivo por %1 segundos: a cópia parou.
Desligue o dispositivo e tente novamente.</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>Atualização concluída com sucesso!
Você pode desconectar o dispositivo e fechar o programa.</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>O firmware foi copiado para o dispositivo.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
</context>
</TS>
