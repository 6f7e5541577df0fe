<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Start </source>
        <translation>Lancer </translation>
    </message>
    <message>
        <source>Device :</source>
        <translation>Appareil&#xa0;:</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>Nouveau micrologiciel&#xa0;:</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>Micrologiciel actuel&#xa0;: </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>Fichier journal (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>Vérifiez la connexion et l&apos;alimentation de l&apos;appareil&#xa0;!</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>Bootloader</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>Éteignez puis rallumez l&apos;appareil&#xa0;!</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>Fichier du micrologiciel introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Bienvenue dans </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation> Firmware Upgrade</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>Avant de lancer la mise à jour du micrologiciel </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation>, vérifiez les points suivants&#xa0;:</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>Allumez l&apos;appareil </translation>
    </message>
    <message>
        <source> device.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>Connectez l&apos;appareil </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation> à votre ordinateur par USB.</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Informations sur l&apos;appareil</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>«&#xa0;Suivant&#xa0;» lance la mise à jour</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Mise à jour du micrologiciel</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>Mise à jour en cours&#xa0;!
N&apos;éteignez pas l&apos;appareil et ne le débranchez pas</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>Mise à jour réussie&#xa0;!
Éteignez puis rallumez l&apos;appareil.</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>Éteignez puis rallumez l&apos;appareil.
Vérifiez que l&apos;appareil est connecté à votre ordinateur</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>Un redémarrage du système est nécessaire. Redémarrez Windows pour poursuivre l&apos;installation du nouveau micrologiciel.

Cliquez sur «&#xa0;Oui&#xa0;» pour redémarrer le système. Assurez-vous que toutes les applications sont enregistrées et fermées.

Cliquez sur «&#xa0;Annuler&#xa0;» pour abandonner la mise à jour du micrologiciel.</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>L&apos;accès au système a échoué. Vérifiez que vous êtes en mode administrateur, puis relancez le programme.</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>L&apos;initialisation du système a échoué.
Veuillez relancer l&apos;application.</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Relancez le programme après le redémarrage de Windows.</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>Assurez-vous que l&apos;appareil est éteint et que le câble USB est débranché de l&apos;ordinateur.</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>Le système a été modifié.
Allumez l&apos;appareil et connectez-le à votre ordinateur.</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>Initialisation du système d&apos;exploitation</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>Veuillez patienter un instant</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>Délai du système dépassé
Éteignez l&apos;appareil et réessayez</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>Une erreur inattendue s&apos;est produite pendant la mise à jour.<byte value="xd"/>
Cliquez sur «&#xa0;Oui&#xa0;» pour générer le rapport.</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>Vous essayez de revenir à une version plus ancienne du micrologiciel, ce qui peut entraîner la perte des réglages et paramètres concernés et provoquer une panne grave de l&apos;appareil. Il est fortement recommandé d&apos;annuler ce retour à une version antérieure&#xa0;! Voulez-vous quand même effectuer la mise à jour&#xa0;?</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>Vous essayez de revenir à une version plus ancienne et incompatible du micrologiciel, ce qui peut entraîner la perte des réglages et paramètres concernés et provoquer une panne grave de l&apos;appareil. La mise à jour va être interrompue. Cliquez sur OK pour fermer le programme.</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Arrêté</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>Démarrage en cours</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>Arrêt en cours</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>En cours d&apos;exécution</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>Reprise en cours</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>Suspension en cours</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Suspendu</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>Le fichier du micrologiciel %1 est vide.
L&apos;appareil n&apos;a pas été modifié.</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>Le fichier du micrologiciel %1 n&apos;est pas un fichier.
L&apos;appareil n&apos;a pas été modifié.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>Le fichier du micrologiciel %1 ne peut pas être lu&#xa0;: %2.
L&apos;appareil n&apos;a pas été modifié.</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>Le fichier du micrologiciel %1 (%2&#xa0;octets) ne tient pas sur le lecteur de l&apos;appareil (%3&#xa0;octets libres).
L&apos;appareil n&apos;a pas été modifié.</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>En attente de l&apos;extinction et du rallumage de l&apos;appareil, pour confirmer le micrologiciel qu&apos;il exécute ...</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>Confirmé&#xa0;: l&apos;appareil exécute maintenant %1.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>Le nouveau micrologiciel n&apos;a pas été pris en compte&#xa0;: l&apos;appareil exécute toujours %1.
Veuillez relancer la mise à jour.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>Le nouveau micrologiciel n&apos;a pas été pris en compte&#xa0;: l&apos;appareil a redémarré en mode bootloader.
Veuillez relancer la mise à jour.</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>L&apos;appareil n&apos;a pas été détecté de nouveau dans les 3&#xa0;minutes.
Vérifiez qu&apos;il est allumé et connecté à votre ordinateur par USB, puis cliquez sur «&#xa0;Terminer&#xa0;» et «&#xa0;Lancer&#xa0;» pour voir le micrologiciel qu&apos;il exécute.</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>La copie prend plus de temps que prévu et est toujours en cours.
N&apos;éteignez pas encore l&apos;appareil et ne le débranchez pas encore&#xa0;: cette page vous indique quand vous pourrez le faire sans risque.</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>Rien n&apos;a été écrit sur l&apos;appareil depuis %1&#xa0;secondes&#xa0;: la copie s&apos;est arrêtée.
Éteignez l&apos;appareil et réessayez.</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>Mise à jour réussie&#xa0;!
Vous pouvez débrancher l&apos;appareil et fermer le programme.</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>Le micrologiciel a été copié sur l&apos;appareil.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
</TS>
