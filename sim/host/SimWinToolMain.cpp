// The fake "sc" and "net" of the simulated Windows host. Started through a
// link named after the tool; the link's folder holds the host's state. Texts
// and exit codes follow what the Windows tools print in English.
#include "sim/host/SimHostState.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {
QString g_strDir;

void logCommand(const QString &line)
{
    QFile log(g_strDir + "/" + SimHostState::kCommandLogName);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        log.write(line.toUtf8() + "\n");
}

int say(const QString &text, int exitCode)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    return exitCode;
}

[[noreturn]] void hang()
{
    // Long enough for any caller to give up; short enough not to linger forever.
    std::this_thread::sleep_for(std::chrono::seconds(120));
    std::exit(0);
}

int startValue(const QString &word)
{
    if (word == "boot") return 0;
    if (word == "system") return 1;
    if (word == "auto" || word == "delayed-auto") return 2;
    if (word == "demand") return 3;
    if (word == "disabled") return 4;
    return -1;
}

int runSc(SimHostState &state, const QStringList &args, bool &changed)
{
    const int value = args.size() == 4 ? startValue(args[3]) : -1;
    if (args.size() != 4 || args[0].compare("config", Qt::CaseInsensitive) != 0 || args[2] != "start=" || value < 0)
        return say("DESCRIPTION:\n        Modifies a service entry in the registry and Service Database.\n"
                   "USAGE:\n        sc <server> config [service name] <option1> <option2>...\n",
                   1639);
    const auto it = state.services.find(args[1].toStdString());
    if (it == state.services.end())
        return say("[SC] OpenService FAILED 1060:\n\nThe specified service does not exist as an installed service.\n\n",
                   1060);
    if (!state.admin)
        return say("[SC] OpenService FAILED 5:\n\nAccess is denied.\n\n", 5);
    if (it->second.scHangs)
        hang();
    it->second.start = value;
    changed = true;
    return say("[SC] ChangeServiceConfig SUCCESS\n", 0);
}

// Running services that need `name`, directly or through another one.
std::vector<std::string> runningDependents(const SimHostState &state, const std::string &name)
{
    std::vector<std::string> needing{name};
    std::vector<std::string> running;
    for (size_t i = 0; i < needing.size(); ++i) {
        for (const auto &entry : state.services) {
            const std::vector<std::string> &needs = entry.second.dependsOn;
            if (std::find(needs.begin(), needs.end(), needing[i]) == needs.end()
                || std::find(needing.begin(), needing.end(), entry.first) != needing.end())
                continue;
            needing.push_back(entry.first);
            if (entry.second.state != 1)
                running.push_back(entry.first);
        }
    }
    return running;
}

// Asks net's question and reads the answer from standard input, which
// waits for as long as the input stays open: true only for yes.
bool askToStopDependents(const QString &name, const std::vector<std::string> &dependents, bool &validAnswer)
{
    QString question = "The following services are dependent on the " + name + " service.\nStopping the " + name +
                       " service will also stop these services.\n\n";
    for (const std::string &dependent : dependents)
        question += "   " + QString::fromStdString(dependent) + "\n";
    say(question + "\nDo you want to continue this operation? (Y/N) [N]: ", 0);
    char line[256];
    validAnswer = std::fgets(line, sizeof line, stdin) != nullptr;
    say("\n", 0);
    const QString answer = validAnswer ? QString::fromLocal8Bit(line).trimmed().toLower() : QString();
    if (answer == "y" || answer == "yes")
        return true;
    // An empty line takes the default.
    validAnswer = validAnswer && (answer.isEmpty() || answer == "n" || answer == "no");
    return false;
}

int runNet(SimHostState &state, const QStringList &args, bool &changed)
{
    // "/y" and "/n" answer net's questions in advance.
    QStringList words;
    bool yes = false;
    bool no = false;
    bool badSwitch = false;
    for (const QString &arg : args) {
        const QString word = arg.toLower();
        if (word == "/y" || word == "/yes")
            yes = true;
        else if (word == "/n" || word == "/no")
            no = true;
        else if (word.startsWith('/'))
            badSwitch = true;
        else
            words << arg;
    }
    const bool start = !words.isEmpty() && words[0].compare("start", Qt::CaseInsensitive) == 0;
    const bool stop = !words.isEmpty() && words[0].compare("stop", Qt::CaseInsensitive) == 0;
    if (words.size() != 2 || (!start && !stop) || badSwitch || (yes && no))
        return say("The syntax of this command is:\n\nNET\n    [ START | STOP | ... ]\n", 1);
    const QString name = words[1];
    const auto it = state.services.find(name.toStdString());
    if (it == state.services.end())
        return say("The service name is invalid.\n\nMore help is available by typing NET HELPMSG 2185.\n\n", 2);
    if (!state.admin)
        return say("System error 5 has occurred.\n\nAccess is denied.\n\n", 2);
    SimService &service = it->second;
    if (service.netHangs)
        hang();
    if (service.netDelayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(service.netDelayMs));
    if (stop) {
        if (service.state == 1)
            return say("The " + name + " service is not started.\n\nMore help is available by typing NET HELPMSG 3521.\n\n", 2);
        const std::vector<std::string> dependents = runningDependents(state, it->first);
        if (!dependents.empty()) {
            bool validAnswer = true;
            if (!yes && (no || !askToStopDependents(name, dependents, validAnswer)))
                return validAnswer ? 2 : say("No valid response was provided.\n", 2);
            for (const std::string &dependent : dependents) {
                state.services[dependent].state = 1;
                const QString text = QString::fromStdString(dependent);
                say("The " + text + " service is stopping.\nThe " + text + " service was stopped successfully.\n\n", 0);
            }
            changed = true;
        }
        if (service.stopRefusals != 0) {
            if (service.stopRefusals > 0) {
                --service.stopRefusals;
                changed = true;
            }
            return say("The " + name + " service could not be stopped.\n\n", 2);
        }
        service.state = 1;
        changed = true;
        return say("The " + name + " service was stopped successfully.\n\n", 0);
    }
    if (service.state == 4)
        return say("The requested service has already been started.\n\nMore help is available by typing NET HELPMSG 2182.\n\n", 2);
    if (service.start == 4)
        return say("System error 1058 has occurred.\n\nThe service cannot be started, either because it is disabled "
                   "or because it has no enabled devices associated with it.\n\n",
                   2);
    service.state = 4;
    changed = true;
    return say("The " + name + " service was started successfully.\n\n", 0);
}
}  // namespace

int main(int argc, char **argv)
{
    const QFileInfo self(QString::fromLocal8Bit(argv[0]));
    g_strDir = self.absolutePath();
    const QString tool = self.fileName().toLower().remove(".exe");
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    logCommand((QStringList{tool} + args).join(' '));

    const QString statePath = g_strDir + "/" + SimHostState::kFileName;
    SimHostState state;
    if (!state.load(statePath))
        return say("The simulated host has no state.\n", 1);

    bool changed = false;
    int code = 1;
    if (tool == "sc")
        code = runSc(state, args, changed);
    else if (tool == "net")
        code = runNet(state, args, changed);
    else
        code = say("Unknown tool.\n", 1);
    if (changed)
        state.save(statePath);
    return code;
}
