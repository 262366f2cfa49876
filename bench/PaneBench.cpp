// The all-units pane against the converter window's own start-up, in one run, offscreen unless
// QT_QPA_PLATFORM names another platform. Goals: opening the pane at most 0.3 times the
// window's start-up; one keystroke with the pane open on Distance (its 100 units) within
// 0.5 ms of CPU, the repaint of the rows in view included. The same keystroke with the pane
// closed is the baseline the extra cost is read against.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>

#include <memory>

#include "app/ConverterState.h"
#include "platform/DesktopServices.h"
#include "ui/main/AllUnitsPane.h"
#include "ui/main/CConverterDlg.h"

namespace {

using korvane::CConverterDlg;
using korvane::ConverterState;

class QuietServices final : public korvane::DesktopServices {
  public:
    korvane::MessageAnswer messageBox(QWidget*, const QString&, const QString&,
                                      korvane::MessageIcon, korvane::MessageButtons) override {
        return korvane::MessageAnswer::Ok;
    }
    void beep() override {}
    bool openUrl(const QString&) override { return true; }
    bool startCalculator() override { return true; }
    void setClipboardText(const QString&) override {}
};

class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int count = 0;
};

void WaitUntilShown(QWidget& widget) {
    widget.show();
    do {
        QCoreApplication::processEvents();
    } while (widget.windowHandle() == nullptr || !widget.windowHandle()->isExposed());
}

// A window as a start shows it, on a settings file of its own.
struct Session {
    QTemporaryDir folder;
    QuietServices services;
    ConverterState state;
    std::unique_ptr<CConverterDlg> window;

    void start() {
        window.reset();
        state = ConverterState{};
        state.settings =
            korvane::ProfileStore(folder.filePath(QStringLiteral("Tabrivo.ini")).toStdString());
        window = std::make_unique<CConverterDlg>(state, services);
        window->OnInitDialog();
        WaitUntilShown(*window);
    }

    // Distance, meter to centimeter, as a user picks them.
    void chooseMeterToCentimeter() {
        auto* categories = window->findChild<QComboBox*>(QStringLiteral("categoryList"));
        categories->setCurrentIndex(categories->findText(QStringLiteral("Distance")));
        window->OnSelchangeCategory();
        const auto choose = [this](const char* list, const char* unit) {
            auto* units = window->findChild<QListWidget*>(QString::fromLatin1(list));
            units->setCurrentItem(
                units->findItems(QString::fromLatin1(unit), Qt::MatchExactly).front());
        };
        choose("inputUnitList", "meter");
        choose("outputUnitList", "centimeter");
    }
};

void BM_WindowStartUp(benchmark::State& run) {
    Session session;
    for (auto _ : run) {
        session.start();
        run.PauseTiming();
        session.window.reset();
        run.ResumeTiming();
    }
}
BENCHMARK(BM_WindowStartUp)->Unit(benchmark::kMillisecond);

// From F9 to the pane on the screen with its rows painted.
void BM_OpenPane(benchmark::State& run) {
    Session session;
    for (auto _ : run) {
        run.PauseTiming();
        session.start();
        session.chooseMeterToCentimeter();
        run.ResumeTiming();
        session.window->OnAllUnits();
        PaintCounter paints;
        session.window->allUnitsPane()->table()->viewport()->installEventFilter(&paints);
        while (paints.count == 0)
            QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OpenPane)->Unit(benchmark::kMillisecond);

// One character typed: the conversion, the pane's values for the rows in view, and the
// repaint of what changed on the screen: the input and output boxes, the labels and (when open)
// the value cells in view.
void Keystroke(benchmark::State& run, bool paneOpen) {
    Session session;
    session.start();
    session.chooseMeterToCentimeter();
    if (paneOpen) {
        session.window->OnAllUnits();
        QCoreApplication::processEvents();
    }
    auto* input = session.window->findChild<QLineEdit*>(QStringLiteral("inputEdit"));
    const QString texts[] = {QStringLiteral("2*3"), QStringLiteral("2*4")};
    int i = 0;
    PaintCounter paints;
    if (paneOpen)
        session.window->allUnitsPane()->table()->viewport()->installEventFilter(&paints);
    QCoreApplication::processEvents();
    paints.count = 0;
    for (auto _ : run) {
        input->setText(texts[i++ % 2]);
        // What the change marked as dirty is painted, as the event loop would paint it.
        QCoreApplication::processEvents();
    }
    // Shows that the table was painted on each keystroke, not left for later.
    run.counters["tablePaints"] =
        benchmark::Counter(paints.count, benchmark::Counter::kAvgIterations);
}

void BM_KeystrokePaneClosed(benchmark::State& run) {
    Keystroke(run, false);
}
BENCHMARK(BM_KeystrokePaneClosed)->Unit(benchmark::kMicrosecond);

void BM_KeystrokePaneOpen(benchmark::State& run) {
    Keystroke(run, true);
}
BENCHMARK(BM_KeystrokePaneOpen)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
