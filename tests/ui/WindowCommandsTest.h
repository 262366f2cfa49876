#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

class WindowCommandsTest : public WindowTestCase {
    Q_OBJECT
  private slots:
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
};

}  // namespace korvane::test
