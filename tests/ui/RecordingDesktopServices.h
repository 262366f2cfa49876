#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

#include "platform/DesktopServices.h"

namespace korvane::test {

// Records every effect a window asks of the desktop and answers message boxes from a queue
// (Ok, or the first button, when the queue is empty). No real dialog ever opens.
class RecordingDesktopServices final : public DesktopServices {
  public:
    struct Message {
        QString caption;
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageAnswer messageBox(QWidget* /*owner*/, const QString& caption, const QString& text,
                             MessageIcon icon, MessageButtons buttons) override {
        messages.push_back(Message{caption, text, icon, buttons});
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel
                   ? MessageAnswer::Yes
                   : MessageAnswer::Ok;
    }
    void beep() override { ++beeps; }
    bool openUrl(const QString& url) override {
        urls.push_back(url);
        return browserAvailable;
    }
    bool startCalculator() override {
        ++calculatorStarts;
        return calculatorAvailable;
    }
    void setClipboardText(const QString& text) override { clipboard.push_back(text); }

    std::vector<Message> messages;
    std::deque<MessageAnswer> answers;
    int beeps = 0;
    QStringList urls;
    int calculatorStarts = 0;
    QStringList clipboard;
    // What openUrl and startCalculator answer: false plays a desktop without them.
    bool browserAvailable = true;
    bool calculatorAvailable = true;
};

}  // namespace korvane::test
