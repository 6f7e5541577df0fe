<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
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
        <translation>Nueva versión de firmware:</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>Versión de firmware actual: </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Avanzar</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Finalizar</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Registro</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>Archivo de registro (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>Desconocido</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Pregunta</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>¡Compruebe la conexión y la alimentación del dispositivo!</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>Bootloader</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>¡Apague el dispositivo y vuelva a encenderlo!</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>¡No se encuentra el archivo de firmware!</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Bienvenido a </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation> Firmware Upgrade</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>Antes de iniciar la actualización del firmware </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation>, compruebe los siguientes puntos:</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>Encienda el dispositivo </translation>
    </message>
    <message>
        <source> device.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>Conecte el dispositivo </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation> a su ordenador mediante USB.</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Información del dispositivo</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>Pulse «Avanzar» para actualizar</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Actualización de firmware</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>¡Actualización en curso!
No apague ni desconecte el dispositivo</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>¡Actualización completada correctamente!
Apague el dispositivo y vuelva a encenderlo.</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>Apague el dispositivo y vuelva a encenderlo.
Compruebe que el dispositivo está conectado a su ordenador</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>Es necesario reiniciar el sistema. Reinicie Windows para continuar con la instalación del nuevo firmware.

Haga clic en «Sí» para reiniciar el sistema. Asegúrese de haber guardado y cerrado todas las aplicaciones.

Haga clic en «Cancelar» para cancelar la actualización del firmware.</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>Error de acceso al sistema. Asegúrese de estar en modo administrador y vuelva a ejecutar el programa.</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>Error al inicializar el sistema.
Vuelva a abrir la aplicación.</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Vuelva a ejecutar el programa cuando Windows se haya reiniciado.</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>Asegúrese de que el dispositivo está apagado y de que el cable USB está desconectado del ordenador.</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>El sistema se ha modificado.
Encienda el dispositivo y conéctelo a su ordenador.</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>Inicializando el sistema operativo</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>Espere un momento</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>Tiempo de espera del sistema agotado
Apague el dispositivo y vuelva a intentarlo</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>Se ha producido un error inesperado durante la actualización.<byte value="xd"/>
Haga clic en «Sí» para generar el informe.</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>Está intentando volver a una versión anterior del firmware, lo que puede provocar la pérdida de los ajustes y parámetros correspondientes y causar una avería grave del dispositivo. ¡Se recomienda encarecidamente cancelar la vuelta a la versión anterior! ¿Desea actualizar de todos modos?</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>Está intentando volver a una versión anterior del firmware que no es compatible, lo que puede provocar la pérdida de los ajustes y parámetros correspondientes y causar una avería grave del dispositivo. Se cancelará la actualización. Pulse «Aceptar» para cerrar el programa.</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Detenido</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>Iniciando</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>Deteniendo</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>En ejecución</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>Reanudando</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>Pausando</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>En pausa</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>El archivo de firmware %1 está vacío.
No se ha modificado el dispositivo.</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>El archivo de firmware %1 no es un archivo.
No se ha modificado el dispositivo.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>No se puede leer el archivo de firmware %1: %2.
No se ha modificado el dispositivo.</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>El archivo de firmware %1 (%2 bytes) no cabe en la unidad del dispositivo (%3 bytes libres).
No se ha modificado el dispositivo.</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>Esperando a que el dispositivo se apague y se vuelva a encender, para confirmar el firmware que ejecuta ...</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>Confirmado: el dispositivo ejecuta ahora %1.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>No se ha aplicado el nuevo firmware: el dispositivo sigue ejecutando %1.
Vuelva a ejecutar la actualización.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>No se ha aplicado el nuevo firmware: el dispositivo se ha reiniciado en modo bootloader.
Vuelva a ejecutar la actualización.</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>No se ha vuelto a detectar el dispositivo en 3&#xa0;minutos.
Compruebe que está encendido y conectado a su ordenador mediante USB y, a continuación, pulse «Finalizar» e «Iniciar» para ver el firmware que ejecuta.</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>La copia está tardando más de lo previsto y sigue en curso.
No apague ni desconecte todavía el dispositivo: esta página le indicará cuándo puede hacerlo con seguridad.</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>No se ha escrito nada en el dispositivo durante %1 segundos: la copia se ha detenido.
Apague el dispositivo y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>¡Actualización completada correctamente!
Puede desconectar el dispositivo y cerrar el programa.</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>El firmware se ha copiado en el dispositivo.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
</TS>
