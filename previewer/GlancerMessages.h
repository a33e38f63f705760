// Every message box of the previewer goes through this interface, so that
// tests can answer them and read what was said.
#pragma once

#include <QString>

class QWidget;

namespace wyndlor::glancer {

class IGlancerMessages {
public:
    virtual ~IGlancerMessages() = default;
    // A failure, shown with the critical icon and the title "Glancer".
    virtual void Error(QWidget *parent, const QString &text) = 0;
};

// The implementation in use: Qt message boxes unless a test installed one.
IGlancerMessages &GlancerMessages();
// Installs `messages` (not owned); nullptr restores the Qt implementation.
void SetGlancerMessages(IGlancerMessages *messages);

}  // namespace wyndlor::glancer
