// One keystroke in the Find dialog: the list follows the new search text. Measured on the
// built-in catalogue (925 entries) and on one filled to 47 x 178 units (the 42 searched rows
// hold 7476 entries), against refilling a plain QListWidget with the same resulting texts in
// the same run -- what rebuilding the list item by item would cost.
//
// Each iteration sets the text before the keystroke untimed, then times the keystroke and the
// event processing after it: "laid_out" with the windows' updates held back, so it measures
// the new list and its layout; "painted" with the repaint as well, which costs both sides the
// same for the dozen rows on screen. Runs on the offscreen platform unless QT_QPA_PLATFORM
// names another.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <string>

#include "catalogue/UnitCatalogue.h"
#include "ui/dialogs/CSearchUnits.h"

namespace {

using namespace korvane;

UnitCatalogue BuiltInCatalogue() {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    return catalogue;
}

UnitCatalogue FullCatalogue() {
    UnitCatalogue catalogue = BuiltInCatalogue();
    for (int c = 0; c < kMaxCategories; ++c) {
        if (UnitCatalogue::IsCustomCategory(c))
            catalogue.SetCategoryName(c, "Workshop " + std::to_string(c));
        for (int n = 1; catalogue.UnitCount(c) < kMaxUnitsPerCategory; ++n)
            catalogue.AppendUnit(c, "extra unit " + std::to_string(n), 1.0 + n);
    }
    return catalogue;
}

const UnitCatalogue& Catalogue(bool full) {
    static const UnitCatalogue builtIn = BuiltInCatalogue();
    static const UnitCatalogue filled = FullCatalogue();
    return full ? filled : builtIn;
}

struct Keystroke {
    const char* before;
    const char* after;
};

constexpr Keystroke kKeystrokes[] = {
    {"", "m"},          // the first character: most entries stay
    {"mete", "meter"},  // one more character of a word: few stay
    {"meter", "mete"},  // backspace: the list grows again
};

QStringList Texts(const CSearchUnits& dialog) {
    QStringList texts;
    for (int i = 0; i < dialog.matchCount(); ++i)
        texts.push_back(dialog.matchText(i));
    return texts;
}

void FindKeystroke(benchmark::State& state, bool full, bool painted, Keystroke keystroke) {
    CSearchUnits dialog(Catalogue(full));
    dialog.show();
    QLineEdit* edit = dialog.findChild<QLineEdit*>(QStringLiteral("searchEdit"));
    const QString before = QString::fromUtf8(keystroke.before);
    const QString after = QString::fromUtf8(keystroke.after);
    for (auto _ : state) {
        state.PauseTiming();
        dialog.setUpdatesEnabled(true);
        edit->setText(before);
        QApplication::processEvents();
        dialog.setUpdatesEnabled(painted);
        state.ResumeTiming();
        edit->setText(after);
        QApplication::processEvents();
    }
    state.counters["shown"] = dialog.matchCount();
}

void RefillBaseline(benchmark::State& state, bool full, bool painted, Keystroke keystroke) {
    CSearchUnits dialog(Catalogue(full));
    dialog.adjustSize();
    QLineEdit* edit = dialog.findChild<QLineEdit*>(QStringLiteral("searchEdit"));
    edit->setText(QString::fromUtf8(keystroke.before));
    const QStringList before = Texts(dialog);
    edit->setText(QString::fromUtf8(keystroke.after));
    const QStringList after = Texts(dialog);

    // The same box and list sizes as the dialog's, so both repaint the same area.
    QWidget window;
    auto* box = new QLineEdit(&window);
    auto* list = new QListWidget(&window);
    list->setUniformItemSizes(true);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(box);
    layout->addWidget(list);
    window.resize(dialog.size());
    window.show();
    for (auto _ : state) {
        state.PauseTiming();
        window.setUpdatesEnabled(true);
        box->setText(QString::fromUtf8(keystroke.before));
        list->clear();
        list->addItems(before);
        QApplication::processEvents();
        window.setUpdatesEnabled(painted);
        state.ResumeTiming();
        box->setText(QString::fromUtf8(keystroke.after));
        list->clear();
        list->addItems(after);
        QApplication::processEvents();
    }
    state.counters["shown"] = list->count();
}

void RegisterAll() {
    for (const bool painted : {false, true}) {
        for (const bool full : {false, true}) {
            for (const Keystroke& keystroke : kKeystrokes) {
                const std::string name = std::string(painted ? "painted/" : "laid_out/") +
                                         (full ? "full_7476" : "builtin_925") + "/\"" +
                                         keystroke.before + "\"->\"" + keystroke.after + "\"";
                benchmark::RegisterBenchmark(("BM_Baseline_ListWidgetRefill/" + name).c_str(),
                                             RefillBaseline, full, painted, keystroke)
                    ->Unit(benchmark::kMicrosecond);
                benchmark::RegisterBenchmark(("BM_FindKeystroke/" + name).c_str(), FindKeystroke,
                                             full, painted, keystroke)
                    ->Unit(benchmark::kMicrosecond);
            }
        }
    }
}

}  // namespace

// The offscreen platform warns about window hints it cannot pass on; that is not a result.
void QuietPlatformWarnings(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (message.contains(QStringLiteral("propagateSizeHints")))
        return;
    fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietPlatformWarnings);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
