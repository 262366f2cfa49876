// One keystroke in the converter window's input box, now that texts the evaluator rejects are
// read as conversions. A valid expression must cost what it did: its request runs as before and
// the only new step is the test that the evaluator accepted it. Measured in one run:
//   - the conversion request of "2*3" alone (what a valid keystroke computed before), against
//     the request plus the window's test whether to read the text free-form;
//   - whole keystrokes through the window (offscreen): a valid expression, and a text the
//     window reads ("5 ft 7 3/8 in to cm") or refuses ("12 inchs to cm").
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#include "app/ConversionRequest.h"
#include "app/ConverterState.h"
#include "platform/DesktopServices.h"
#include "ui/main/CConverterDlg.h"
#include "ui/main/FreeFormInput.h"

namespace {

using namespace korvane;

class QuietServices final : public DesktopServices {
  public:
    MessageAnswer messageBox(QWidget*, const QString&, const QString&, MessageIcon,
                             MessageButtons) override {
        return MessageAnswer::Ok;
    }
    void beep() override {}
    bool openUrl(const QString&) override { return true; }
    bool startCalculator() override { return true; }
    void setClipboardText(const QString&) override {}
};

UnitCatalogue BuiltInCatalogue() {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    return catalogue;
}

ConversionRequest DistanceRequest(const UnitCatalogue& catalogue, const char* input) {
    ConversionRequest request;
    request.category = catalogue.FindCategory("Distance");
    request.fromUnit = "meter";
    request.toUnit = "centimeter";
    request.input = input;
    request.printEvaluation = false;
    return request;
}

void BM_Baseline_RequestValid(benchmark::State& state) {
    const UnitCatalogue catalogue = BuiltInCatalogue();
    const ConversionRequest request = DistanceRequest(catalogue, "2*3");
    for (auto _ : state) {
        ConversionResult result = RunConversionRequest(catalogue, request);
        benchmark::DoNotOptimize(result.output.data());
    }
}
BENCHMARK(BM_Baseline_RequestValid);

void BM_RequestValidAndFreeFormTest(benchmark::State& state) {
    const UnitCatalogue catalogue = BuiltInCatalogue();
    const ConversionRequest request = DistanceRequest(catalogue, "2*3");
    for (auto _ : state) {
        ConversionResult result = RunConversionRequest(catalogue, request);
        const bool read = FreeFormInput::ShouldRead(catalogue, request.category, result);
        benchmark::DoNotOptimize(result.output.data());
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_RequestValidAndFreeFormTest);

// The window on Distance, the input box alternating between two texts of the same kind, so
// every iteration is one change of the text and the conversion it triggers.
void WindowKeystroke(benchmark::State& state, const char* first, const char* second) {
    QTemporaryDir folder;
    QuietServices services;
    ConverterState converter;
    converter.settings = ProfileStore(folder.filePath(QStringLiteral("Tabrivo.ini")).toStdString());
    CConverterDlg window(converter, services);
    window.OnInitDialog();
    auto* input = window.findChild<QLineEdit*>(QStringLiteral("inputEdit"));
    const QString texts[] = {QString::fromUtf8(first), QString::fromUtf8(second)};
    input->setText(texts[1]);  // the first reading builds the lookup index, outside the timing
    int next = 0;
    for (auto _ : state) {
        input->setText(texts[next]);
        next = 1 - next;
    }
}

void BM_Window_ValidExpression(benchmark::State& state) {
    WindowKeystroke(state, "2*3", "2*4");
}
BENCHMARK(BM_Window_ValidExpression);

void BM_Window_ReadMixedToTarget(benchmark::State& state) {
    WindowKeystroke(state, "5 ft 7 3/8 in to cm", "5 ft 7 1/4 in to cm");
}
BENCHMARK(BM_Window_ReadMixedToTarget);

void BM_Window_RefuseMisspelling(benchmark::State& state) {
    WindowKeystroke(state, "12 inchs to cm", "13 inchs to cm");
}
BENCHMARK(BM_Window_RefuseMisspelling);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    // The evaluator's diagnostics of the rejected texts would flood the report.
    if (std::freopen("/dev/null", "w", stderr) == nullptr)
        return 1;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
