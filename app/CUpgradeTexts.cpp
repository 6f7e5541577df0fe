#include "app/CUpgradeTexts.h"

#include "app/AppConstants.h"

#include <QObject>

CUpgradeTexts::CUpgradeTexts()
{
    // Product word joined to the translated pieces, not translated itself.
    const QString product = kProductShort;
    m_oTexts = {
        QObject::tr("Unknown"),
        QObject::tr("Error"),
        QObject::tr("Question"),
        QObject::tr("Warning"),
        QObject::tr("Information"),
        QObject::tr("Please confirm your device connection and power !"),
        QObject::tr("Bootloader"),
        QObject::tr("Please turn the power Off and On again !"),
        QObject::tr("Firmware file not found!"),
        QObject::tr("Welcome to ") + product + QObject::tr(" Firmware Upgrade"),
        QObject::tr("Please check below items before starting ") + product + QObject::tr(" Firmware Upgrade :"),
        QObject::tr("Power On the ") + product + QObject::tr(" device."),
        QObject::tr("Connect ") + product + QObject::tr(" to your computer via the USB."),
        QObject::tr("Device Information"),
        QObject::tr("Click next to start upgrade"),
        QObject::tr("Firmware Upgrade"),
        QObject::tr("Upgrade in progress!\n Do not power Off the device or unplug the device"),
        QObject::tr("Upgrade completed successfully!\n Please power Off the device then power On."),
        product + QObject::tr(" Firmware Upgrade"),
        QObject::tr("Please power Off the device then power On.\nPlease check the device is connected to your computer"),
        QObject::tr("A system restart is required. Please restart your Windows to continue installing the new "
                    "firmware.\n\nClick Yes to restart the system. Make sure all applications are saved and "
                    "closed.\n\nClick Cancel to abort the firmware upgrade."),
        QObject::tr("System access failed. Make sure you are in Administrator Mode and run the program again."),
        QObject::tr("System initialization failed.\nPlease reopen the application."),
        QObject::tr("Execute the program again after Windows has rebooted."),
        QObject::tr("Please make sure the device power is Off and USB is disconnected from the computer."),
        QObject::tr("System has been modified.\nPlease power On the device and connect the device to your computer."),
        QObject::tr("Operating system initializing"),
        QObject::tr("Please wait a moment"),
        QObject::tr("System time out\nPlease power off the device and retry again"),
        QObject::tr("An unexpected error has occurred during the upgrade process.\r\nClick \"Yes\" to generate the report."),
        QObject::tr("You are attempting to downgrade to an older firmware version, which may result in the loss of "
                    "relevant settings and parameters and cause severe device failure. It is strongly recommended "
                    "to cancel the downgrade! Still want to update?"),
        QObject::tr("You are attempting to downgrade to an incompatible older firmware version, which may result in "
                    "the loss of relevant settings and parameters and cause severe device failure. The upgrade "
                    "process will be terminated. Press OK to close the program."),
        // Windows service states 0..7, for the report.
        QObject::tr("Unknown"),
        QObject::tr("Stopped"),
        QObject::tr("Start pending"),
        QObject::tr("Stop pending"),
        QObject::tr("Running"),
        QObject::tr("Continue pending"),
        QObject::tr("Pause pending"),
        QObject::tr("Paused"),
        // A firmware image that cannot be copied: nothing is sent to the device.
        QObject::tr("The firmware file %1 is empty.\nThe device was not changed."),
        QObject::tr("The firmware file %1 is not a file.\nThe device was not changed."),
        QObject::tr("The firmware file %1 cannot be read: %2.\nThe device was not changed."),
        QObject::tr("The firmware file %1 (%2 bytes) does not fit on the device's drive (%3 bytes free).\nThe device "
                    "was not changed."),
        // The firmware the device runs after its power cycle.
        QObject::tr("Waiting for the device to be powered Off and On again, to confirm the firmware it runs ..."),
        QObject::tr("Confirmed: the device now runs %1."),
        QObject::tr("The new firmware was not taken: the device still runs %1.\nPlease run the upgrade again."),
        QObject::tr("The new firmware was not taken: the device came back in bootloader mode.\nPlease run the "
                    "upgrade again."),
        QObject::tr("The device was not seen again within 3 minutes.\nPlease check that it is powered On and "
                    "connected to your computer via the USB, then press Finish and Start to see the firmware it runs."),
        // The copy time-out: power Off is asked for only once nothing is written any more.
        QObject::tr("The copy is taking longer than expected and is still running.\nDo not power Off the device or "
                    "unplug the device yet: this page tells you when it is safe."),
        QObject::tr("Nothing has been written to the device for %1 seconds: the copy has stopped.\nPlease power Off "
                    "the device and retry again."),
        // The result text once the confirmation has its outcome.
        QObject::tr("Upgrade completed successfully!\nYou can unplug the device and close the program."),
        QObject::tr("The firmware was copied to the device."),
    };
}

const QString &CUpgradeTexts::text(int n) const
{
    static const QString empty;
    if (n < 0 || n >= Count)
        return empty;
    return m_oTexts[static_cast<size_t>(n)];
}
