#include "ui/widgets/SettingsWriteReporter.h"

#include <QString>

#include <iostream>

#include "platform/DesktopServices.h"

namespace korvane {

SettingsWriteReporter::SettingsWriteReporter(DesktopServices& services, QWidget* owner)
    : services_(services), owner_(owner) {}

void SettingsWriteReporter::reportFailure(const std::string& path, const std::string& reason,
                                          Moment moment) {
    std::cerr << "korvane: cannot write the settings file " << path << ": " << reason << '\n';
    if (warned_ || moment == Moment::Shutdown)
        return;
    warned_ = true;
    const QString text = QStringLiteral(
                             "The settings could not be saved to\n%1\n\n%2\n\n"
                             "Your changes apply until the program ends, but the next start "
                             "will not have them.")
                             .arg(QString::fromStdString(path), QString::fromStdString(reason));
    services_.messageBox(owner_, QStringLiteral("Korvane Unit Converter"), text,
                         MessageIcon::Warning, MessageButtons::Ok);
}

}  // namespace korvane
