// vokt-host: plays the host program for Stats.dll. It loads the plug-in,
// prepares a working folder as the host's (its "Plugins" folder, optionally a
// "Vokt2.ini"), reads a contest log (Cabrillo, ADIF or the replay format of
// simple_log.h), resolves the calls, and replays the log through the
// plug-in's exports, printing the results and the summary.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#if defined(_WIN32)
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#define MakeDir(p) _mkdir(p)
#define ChangeDir(p) _chdir(p)
#define CurrentDir(b, n) _getcwd(b, n)
static const char kSeparator = '\\';
#else
#include <sys/stat.h>
#include <unistd.h>
#define MakeDir(p) mkdir(p, 0777)
#define ChangeDir(p) chdir(p)
#define CurrentDir(b, n) getcwd(b, n)
static const char kSeparator = '/';
#endif

#include "host/adif_reader.h"
#include "host/cabrillo_reader.h"
#include "host/cty_resolver.h"
#include "platform/text_file.h"
#include "testhost/dialog_answerer.h"
#include "testhost/replay.h"
#include "testhost/simple_log.h"

namespace {

const char* const kUsage =
    "usage: vokt-host replay LOG [options]\n"
    "  LOG                 a Cabrillo log (.cbr, .log), an ADIF log (.adi) or a replay log (.txt)\n"
    "  --html              ask for the summary as HTML\n"
    "  --each              print the result of every QSO\n"
    "  --plugin PATH       the plug-in to load (default: Stats.dll beside this program)\n"
    "  --workdir DIR       the host's working folder (default: the current folder)\n"
    "  --host-version V    write a Vokt2.ini with the line Vokt=V into the working folder\n"
    "  --cty PATH          the country file (default /usr/share/hamradio-files/cty.dat)\n"
    "  --start YYYY-MM-DD  contest start (00:00), --end YYYY-MM-DD contest end (00:00)\n"
    "  --cabrillo          an export run: header dialog, then the Cabrillo file\n"
    "  --answer-dialogs    press OK on the header dialog and the \"Output\" box, print the message\n";

Text ProgramFolder(const char* argv0) {
    Text p = argv0 ? argv0 : "";
    size_t slash = p.find_last_of("/\\");
    return slash == Text::npos ? Text() : p.substr(0, slash + 1);
}

Text Absolute(const Text& path) {
    if (path.empty()) return path;
    if (path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':')) return path;
    char buffer[4096];
    if (!CurrentDir(buffer, sizeof buffer)) return path;
    return Text(buffer) + kSeparator + path;
}

bool ParseDay(const Text& text, DateTime& out) {
    int y, m, d;
    if (std::sscanf(text.c_str(), "%d-%d-%d", &y, &m, &d) != 3) return false;
    out = DateTime::FromParts(y, m, d);
    return out.IsValid();
}

bool EndsWithNoCase(const Text& s, const char* suffix) {
    size_t n = std::strlen(suffix);
    return s.size() >= n && EqualsNoCase(s.substr(s.size() - n), suffix);
}

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // the summary's CR LF as it is
#endif
    if (argc < 3 || std::strcmp(argv[1], "replay") != 0) {
        std::cerr << kUsage;
        return 2;
    }
    Text logPath = Absolute(argv[2]);
    Text plugin = ProgramFolder(argv[0]) + "Stats.dll";
    Text workdir, hostVersion, cty = "/usr/share/hamradio-files/cty.dat";
    DateTime start = DateTime::Null(), end = DateTime::Null();
    ReplayOptions options;
    bool answerDialogs = false;
    for (int i = 3; i < argc; ++i) {
        const Text a = argv[i];
        auto value = [&](Text& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        Text v;
        if (a == "--html") options.html = true;
        else if (a == "--each") options.eachResult = true;
        else if (a == "--cabrillo") options.cabrilloExport = true;
        else if (a == "--answer-dialogs") answerDialogs = true;
        else if (a == "--plugin" && value(v)) plugin = Absolute(v);
        else if (a == "--workdir" && value(v)) workdir = v;
        else if (a == "--host-version" && value(v)) hostVersion = v;
        else if (a == "--cty" && value(v)) cty = Absolute(v);
        else if (a == "--start" && value(v) && ParseDay(v, start)) {}
        else if (a == "--end" && value(v) && ParseDay(v, end)) {}
        else {
            std::cerr << "vokt-host: bad option " << a << "\n" << kUsage;
            return 2;
        }
    }

    Text content;
    if (!ReadFileBytes(logPath, content)) {
        std::cerr << "vokt-host: cannot read " << logPath << "\n";
        return 1;
    }
    HostLog log;
    std::vector<LogProblem> problems;
    bool needsResolving = true;
    bool ok;
    if (EndsWithNoCase(logPath, ".adi") || Contains(content, "<EOH>") || Contains(content, "<eoh>")) {
        ok = ReadAdifLog(content, log, problems);
    } else if (Contains(content, "START-OF-LOG:")) {
        ok = ReadCabrilloLog(content, log, problems);
    } else {
        ok = ReadSimpleLog(content, log, problems);
        needsResolving = false;
    }
    for (const LogProblem& p : problems) std::cerr << logPath << ":" << p.line << ": " << p.message << "\n";
    if (!ok) {
        std::cerr << "vokt-host: " << logPath << " is not a log this program reads\n";
        return 1;
    }
    if (needsResolving) {
        CallResolver resolver;
        Text error;
        if (!resolver.Load(cty, &error)) {
            std::cerr << "vokt-host: cannot load the country file " << cty << ": " << error << "\n";
            return 1;
        }
        ResolveLog(resolver, log);
    }
    if (start.IsValid()) log.contestStart = start;
    if (end.IsValid()) log.contestEnd = end;
    FillContestPeriod(log);

    if (!workdir.empty()) {
        MakeDir(workdir.c_str());
        if (ChangeDir(workdir.c_str()) != 0) {
            std::cerr << "vokt-host: cannot enter " << workdir << "\n";
            return 1;
        }
    }
    MakeDir("Plugins");
    if (!hostVersion.empty()) {
        TextFileWriter ini("Vokt2.ini", TextFileWriter::Mode::Truncate);
        ini.WriteLine("[Vokt]");
        ini.WriteLine("Vokt=" + hostVersion);
    }
    options.hostFolder = Absolute(".");
    options.hostFolder.back() = kSeparator;  // "<folder>\." -> "<folder>\"
    options.hostFolder.pop_back();
    options.hostFolder += kSeparator;
#if defined(_WIN32)
    options.progress = _isatty(_fileno(stderr)) != 0;
#else
    options.progress = isatty(fileno(stderr)) != 0;
#endif

    PluginLibrary library;
    Text error;
    if (!library.Load(plugin, &error)) {
        std::cerr << "vokt-host: " << error << "\n";
        return 1;
    }
    std::ostringstream out;
    DialogAnswerer answerer;
    if (answerDialogs) answerer.Start();
    Replay(library.Api(), log, options, out);
    answerer.Stop();
    std::cout << out.str() << answerer.Transcript() << std::flush;
    library.Unload();
    return 0;
}
