// Opening the Preferences sheet, from the command to the sheet on the screen, against the
// converter window's own start-up (built, loaded and shown) in the same run. Offscreen unless
// QT_QPA_PLATFORM names another platform. Goal: the sheet at most half the window's time.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QWindow>

#include <memory>

#include "app/ConverterState.h"
#include "platform/DesktopServices.h"
#include "ui/main/CConverterDlg.h"
#include "ui/preferences/CPropSheet.h"

namespace {

using korvane::CConverterDlg;
using korvane::ConverterState;
using korvane::CPropSheet;

// Answers every question without showing anything.
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

// Shown means exposed on the screen, with the events of showing it handled.
void WaitUntilShown(QWidget& widget) {
    widget.show();
    do {
        QCoreApplication::processEvents();
    } while (widget.windowHandle() == nullptr || !widget.windowHandle()->isExposed());
}

struct Session {
    QTemporaryDir folder;
    QuietServices services;
    ConverterState state;

    Session() {
        state.settings =
            korvane::ProfileStore(folder.filePath(QStringLiteral("Tabrivo.ini")).toStdString());
    }
};

void BM_WindowStartUp(benchmark::State& run) {
    Session session;
    for (auto _ : run) {
        auto window = std::make_unique<CConverterDlg>(session.state, session.services);
        window->OnInitDialog();
        WaitUntilShown(*window);
        run.PauseTiming();
        window.reset();
        session.state = ConverterState{};
        session.state.settings = korvane::ProfileStore(
            session.folder.filePath(QStringLiteral("Tabrivo.ini")).toStdString());
        run.ResumeTiming();
    }
}
BENCHMARK(BM_WindowStartUp)->Unit(benchmark::kMillisecond);

void BM_OpenPreferences(benchmark::State& run) {
    Session session;
    CConverterDlg window(session.state, session.services);
    window.OnInitDialog();
    WaitUntilShown(window);
    for (auto _ : run) {
        std::unique_ptr<CPropSheet> sheet = window.createPreferencesSheet();
        WaitUntilShown(*sheet);
        run.PauseTiming();
        sheet->reject();
        window.applyPreferences(*sheet, sheet->result());
        sheet.reset();
        QCoreApplication::processEvents();
        run.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPreferences)->Unit(benchmark::kMillisecond);

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
