// Demo: a simulated AIS-B-470 on a fake USB serial port. Run the program
// under test with LD_PRELOAD=libumockdev-preload.so.0 (plus the pty shims)
// and the UMOCKDEV_DIR printed at start. Commands on stdin: "on", "off",
// "cycle [image]", "quit". With --write-package it only writes a firmware
// package of the --fw version for the --machine type into a folder.
#include "sim/transponder/FirmwareImage.h"
#include "sim/transponder/TransponderSim.h"
#include "sim/transponder/UsbSerialTestbed.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QMap>
#include <QSocketNotifier>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {
unsigned misbehaviourFlag(const QString &name)
{
    static const QList<QPair<QString, unsigned>> names = {
        {"no-answer", TransponderSettings::NoAnswer},
        {"bad-checksum", TransponderSettings::BadChecksum},
        {"lower-case-checksum", TransponderSettings::LowerCaseChecksum},
        {"over-long", TransponderSettings::OverLongLine},
        {"split", TransponderSettings::SplitAnswer},
        {"garbage", TransponderSettings::GarbageLines},
        {"no-line-end", TransponderSettings::NoLineEnd},
    };
    for (const auto &entry : names)
        if (entry.first == name)
            return entry.second;
    return 0;
}
}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Simulated AIS-B-470 transponder on a fake USB serial port");
    parser.addHelpOption();
    const QCommandLineOption machine("machine", "Machine type reported.", "type", "AIS-B-470");
    const QCommandLineOption version("fw", "Firmware version reported.", "version", "V1.2.0.00-A");
    const QCommandLineOption delay("delay", "Answer delay in ms.", "ms", "20");
    const QCommandLineOption bootDelay("bootloader-delay", "Delay before the volume request in ms.", "ms", "1500");
    const QCommandLineOption misbehave("misbehave",
                                       "no-answer, bad-checksum, lower-case-checksum, over-long, split, garbage, no-line-end "
                                       "(repeatable).",
                                       "kind");
    const QCommandLineOption vid("vid", "USB vendor id (hex), -1 for none.", "hex", "2504");
    const QCommandLineOption pid("pid", "USB product id (hex), -1 for none.", "hex", "3209");
    const QCommandLineOption description("description", "Port description.", "text", "AIS Virtual Com");
    const QCommandLineOption chatter("chatter", "One unasked AIS sentence every ms (0: none).", "ms", "0");
    const QCommandLineOption afterCycle("after-cycle",
                                        "What \"cycle\" brings: runs-image, keeps-old, bootloader, away.", "kind",
                                        "runs-image");
    const QCommandLineOption package("write-package", "Write a firmware package into the folder and end.", "folder");
    parser.addOptions(
        {machine, version, delay, bootDelay, misbehave, vid, pid, description, chatter, afterCycle, package});
    parser.process(app);

    if (parser.isSet(package)) {
        if (!writeFirmwarePackage(parser.value(package), parser.value(machine), parser.value(version))) {
            std::fprintf(stderr, "could not write the firmware package into %s\n", qPrintable(parser.value(package)));
            return 1;
        }
        return 0;
    }

    TransponderSettings settings;
    settings.machineType = parser.value(machine);
    settings.firmwareVersion = parser.value(version);
    settings.answerDelayMs = parser.value(delay).toInt();
    settings.bootloaderDelayMs = parser.value(bootDelay).toInt();
    settings.chatterIntervalMs = parser.value(chatter).toInt();
    for (const QString &kind : parser.values(misbehave)) {
        const unsigned flag = misbehaviourFlag(kind);
        if (!flag) {
            std::fprintf(stderr, "unknown misbehaviour: %s\n", qPrintable(kind));
            return 2;
        }
        settings.misbehaviour |= flag;
    }
    const QMap<QString, TransponderSettings::AfterPowerCycle> cycles{
        {"runs-image", TransponderSettings::AfterPowerCycle::RunsImage},
        {"keeps-old", TransponderSettings::AfterPowerCycle::KeepsOldFirmware},
        {"bootloader", TransponderSettings::AfterPowerCycle::InBootloader},
        {"away", TransponderSettings::AfterPowerCycle::StaysAway},
    };
    if (!cycles.contains(parser.value(afterCycle))) {
        std::fprintf(stderr, "unknown after-cycle kind: %s\n", qPrintable(parser.value(afterCycle)));
        return 2;
    }
    settings.afterPowerCycle = cycles.value(parser.value(afterCycle));
    settings.usb.vendorId = parser.value(vid) == "-1" ? -1 : parser.value(vid).toInt(nullptr, 16);
    settings.usb.productId = parser.value(pid) == "-1" ? -1 : parser.value(pid).toInt(nullptr, 16);
    settings.usb.description = parser.value(description);

    UsbSerialTestbed bed;
    TransponderSim sim(bed, settings);
    QTextStream out(stdout);
    auto say = [&out](const QString &text) { out << text << Qt::endl; };

    QObject::connect(&sim, &TransponderSim::lineReceived, [&](const QByteArray &line) { say("<- " + QString::fromLatin1(line)); });
    QObject::connect(&sim, &TransponderSim::answered, [&] { say("-> version answer"); });
    QObject::connect(&sim, &TransponderSim::bootloaderEntered, [&] { say("bootloader: serial port gone"); });
    QObject::connect(&sim, &TransponderSim::bootloaderVolumeRequested,
                     [&] { say("bootloader: volume \"AIS B CS\" requested; \"cycle <image>\" after the copy"); });

    if (!sim.powerOn()) {
        std::fprintf(stderr, "could not create the fake serial port\n");
        return 1;
    }
    say("UMOCKDEV_DIR=" + bed.rootDir());
    say("port /dev/" + sim.portName() + ", firmware " + sim.firmwareVersion());

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[1024];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof(buffer) - 1);
        if (n <= 0) {
            app.quit();
            return;
        }
        const QStringList words = QString::fromLocal8Bit(buffer, int(n)).simplified().split(' ', Qt::SkipEmptyParts);
        const QString cmd = words.value(0);
        if (cmd == "quit") {
            app.quit();
        } else if (cmd == "off") {
            sim.powerOff();
            say("off");
        } else if (cmd == "on") {
            say(sim.powerOn() ? "on /dev/" + sim.portName() : QString("power on failed"));
        } else if (cmd == "cycle") {
            const bool ok = sim.powerCycle(words.value(1));
            if (sim.mode() == TransponderSim::Mode::Normal)
                say(QString("on /dev/%1, firmware %2%3").arg(sim.portName(), sim.firmwareVersion(), ok ? "" : " (image not taken)"));
            else
                say(sim.mode() == TransponderSim::Mode::Off ? QString("off: it did not come back") : QString("bootloader again"));
        } else if (!cmd.isEmpty()) {
            say("commands: on, off, cycle [image], quit");
        }
    });
    return app.exec();
}
