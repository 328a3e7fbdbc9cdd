#pragma once

// What the benchmark programs share: the --quick switch, medians of timed runs, the start of a program that shows
// windows on a fresh copy of the seed data, the sizing on copies of the shipped catalogue, and the timing of a
// printout into the recorder and into a PDF file.

#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class Form;
class QApplication;
class ScriptedUiServices;
struct SharedData;

namespace bench {

// True when the program was started with --quick, as the suite runs it.
bool quick(int argc, char **argv);

// The middle of the figures (of an even count, the upper one).
double median(std::vector<double> figures);

// Median time per call, in the unit of Period (std::milli, std::micro, ...), of `rounds` rounds of
// `callsPerRound` calls each.
template <class Period, class Call>
double medianPerCall(int rounds, int callsPerRound, Call &&call)
{
    std::vector<double> perCall;
    perCall.reserve(std::size_t(rounds));
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < callsPerRound; ++i)
            call();
        const auto end = std::chrono::steady_clock::now();
        perCall.push_back(std::chrono::duration<double, Period>(end - start).count() / callsPerRound);
    }
    return median(std::move(perCall));
}

// Median milliseconds of `runs` single runs of step.
double medianMs(int runs, const std::function<void()> &step);

// Median nanoseconds per call; the results are summed into a sink, so that no call can be left out.
double medianNsPerCall(const std::function<double()> &call, int rounds, int callsPerRound);

// "median 1.23 ms (min 1.01, max 2.34, 25 runs; aim < 10 ms)", the times in milliseconds.
QString summary(std::vector<double> ms, int decimals, double aim);

// The application of a program that shows windows, made first in main: the offscreen platform unless one is set,
// a temporary home, so that the documents folder becomes a fresh copy of the build tree's seed, C numbers, and the
// build tree's program folder. ok() is false (the reason on stderr) when the home or the data folder cannot be made.
class OffscreenApplication {
public:
    OffscreenApplication(int &argc, char **argv);
    ~OffscreenApplication();
    bool ok() const { return ok_; }

private:
    QTemporaryDir home_;
    std::unique_ptr<QApplication> app_;
    bool ok_ = false;
};

// Shows the form's widgets offscreen and draws them once.
void drawOffscreen(Form &form);

// Copies the shipped catalogue and noise databases into the folder; false, with a message that names the program,
// when one cannot be copied.
bool copyShippedCatalogue(const QString &folder, const char *program);

// The shipped texts and the copies in the folder opened, the 4627_71 series chosen at DN 50 Kvs 40 with pipes of
// DN 50, the min and norm columns on, the extended display. Throws DbError.
void openShippedSizing(const QString &folder);

// The printout's header texts: info, company, position and measuring point as every benchmark prints them.
void printHeader(SharedData &s, const QString &subject);

struct PrintoutTimes {
    double recorderMs = 0;
    std::size_t texts = 0; // pieces of text of the last printout into the recorder
    double pdfMs = 0;
};

// Median milliseconds of `rounds` printouts into the recorder and into a PDF file (the file dialog answered with
// pdfFile); the first printout of each is not counted, as it opens caches. False, with a message that names the
// program, when the PDF was not written.
bool timePrintout(ScriptedUiServices &ui, const QString &pdfFile, int rounds, const std::function<void()> &print,
                  const std::function<bool()> &printed, const char *program, PrintoutTimes &times);

} // namespace bench
