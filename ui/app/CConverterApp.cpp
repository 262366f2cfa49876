#include "ui/app/CConverterApp.h"

#include "app/SettingsPath.h"
#include "ui/app/ManualAddresses.h"
#include "ui/main/CConverterDlg.h"

namespace korvane {

CConverterApp::CConverterApp(DesktopServices& services) : services_(services) {}

int CConverterApp::InitInstance() {
    CConverterDlg dialog(state_, services_);
    dialog.setWebAddresses(DefaultWebAddresses());
    state_.settings = ProfileStore(DefaultSettingsPath());
    dialog.OnInitDialog();
    dialog.exec();
    // However the window ended, the program ends normally.
    return 0;
}

}  // namespace korvane
