// Sentence parsing: sentenceProcess on version answers and on the lines it
// must turn away, in sentences per second. The logger runs as in the
// program (started, file off, encoding on); its echo goes nowhere.
#include "bench/BenchSupport.h"
#include "device/CCommandHandle.h"
#include "log/SysDebug.h"

#include <QDir>

#include <string>

namespace {
const char *const kTarget = "AIS-B-470";

void parse(benchmark::State &state, const std::string &line, bool expected)
{
    CCommandHandle handle;
    handle.setTargetType(kTarget);
    if (handle.sentenceProcess(line) != expected) {
        state.SkipWithError("unexpected result");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(handle.sentenceProcess(line));
    state.SetItemsProcessed(state.iterations());
}

// Accepted: the three progress lines and the verdict are logged.
void BM_Sentence_ValidAnswer(benchmark::State &state)
{
    parse(state, "$AIVER,1,1,AI,X,Y,7,Z,AIS-B-470,V1.3.0.01-A,1*11\r\n", true);
}

// Parsed, but another model: logged the same way, false.
void BM_Sentence_OtherModel(benchmark::State &state)
{
    parse(state, "$AIVER,1,1,AI,X,Y,7,Z,AIS-B-480,V1.3.0.01-A,1*1E\r\n", false);
}

// Turned away before parsing, nothing logged.
void BM_Sentence_BadChecksum(benchmark::State &state)
{
    parse(state, "$AIVER,1,1,AI,X,Y,7,Z,AIS-B-470,V1.3.0.01-A,1*12\r\n", false);
}

void BM_Sentence_LowerCaseChecksum(benchmark::State &state)
{
    parse(state, "$AIVER,1,1,AI,X,Y,7,Z,AIS-B-480,V1.3.0.01-A,1*1e\r\n", false);
}

void BM_Sentence_ForeignSentence(benchmark::State &state)
{
    parse(state, "!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*24\r\n", false);
}

void BM_Sentence_OverLong(benchmark::State &state)
{
    parse(state, "$AIVER,1,1,AI,X,Y,7,Z,AIS-B-470,V1.3.0.01-A," + std::string(200, '1') + "*11\r\n", false);
}
}  // namespace

BENCHMARK(BM_Sentence_ValidAnswer)->Apply(BenchSupport::withMin);
BENCHMARK(BM_Sentence_OtherModel)->Apply(BenchSupport::withMin);
BENCHMARK(BM_Sentence_BadChecksum)->Apply(BenchSupport::withMin);
BENCHMARK(BM_Sentence_LowerCaseChecksum)->Apply(BenchSupport::withMin);
BENCHMARK(BM_Sentence_ForeignSentence)->Apply(BenchSupport::withMin);
BENCHMARK(BM_Sentence_OverLong)->Apply(BenchSupport::withMin);

int main(int argc, char **argv)
{
    BenchSupport::silenceQtMessages();
    return BenchSupport::runBenchmarks(argc, argv, false, [] {
        // The logger's writer drains what the parse logs; in a scratch
        // folder without settings, so it keeps its defaults.
        const std::string dir = BenchSupport::scratchDir("sentence");
        QDir::setCurrent(QString::fromStdString(dir));
        SysDebug::instance()->start(QString::fromStdString(dir + "/"), QString::fromStdString(dir + "/profile.ini"));
    });
}
