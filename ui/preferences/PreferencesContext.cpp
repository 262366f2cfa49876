#include "ui/preferences/PreferencesContext.h"

#include "app/ConverterState.h"
#include "ui/widgets/SettingsWriteReporter.h"

namespace korvane {

void ReportWrite(const PreferencesContext& context, const WriteResult& result) {
    if (result.ok())
        return;
    context.writeReporter.reportFailure(context.state.settings.Path(), result.reason,
                                        SettingsWriteReporter::Moment::Running);
}

}  // namespace korvane
