#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

class WindowCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void copyOutputCopiesTheWholeResultFromTheInputBox();
    void copyOfAnEmptyOutputLeavesTheClipboardAlone();
    void invertTwiceFromTheInputBoxRestoresTheResult();
    void calculatorStartsOrFailsSilently_data();
    void calculatorStartsOrFailsSilently();
    void findOnAHiddenCategoryListsItForGood();
    void findOnAListedCategoryChangesNoFlags();
    void findSelectsCustomUnitsWithBrackets_data();
    void findSelectsCustomUnitsWithBrackets();
    void findWithoutAChoiceChangesNothing_data();
    void findWithoutAChoiceChangesNothing();
    void findOnAHiddenCategoryWhileNoneIsListed();
    void helpAndAboutOpenOverTheWindow();
    void desktopKeysOpenHelpAndExit();
    void webItemsOpenTheirPagesQuietly_data();
    void webItemsOpenTheirPagesQuietly();
    void noCommandActsWhileAnotherDialogIsOpen();

  private:
    std::unique_ptr<ConverterWindow> open();
    void activate(ConverterWindow& window);

    ModalWatchdog watchdog_;
    std::unique_ptr<SettingsFile> settings_;
};

}  // namespace korvane::test
