#include "previewer/GlancerMessages.h"

#include <QMessageBox>

namespace wyndlor::glancer {

namespace {

class QtMessages : public IGlancerMessages {
public:
    void Error(QWidget *parent, const QString &text) override
    {
        QMessageBox::critical(parent, QStringLiteral("Glancer"), text);
    }
};

QtMessages g_qtMessages;
IGlancerMessages *g_installed = nullptr;

}  // namespace

IGlancerMessages &GlancerMessages()
{
    return g_installed ? *g_installed : static_cast<IGlancerMessages &>(g_qtMessages);
}

void SetGlancerMessages(IGlancerMessages *messages)
{
    g_installed = messages;
}

}  // namespace wyndlor::glancer
