#include "app/help/HelpState.h"

#include "app/help/HelpPages.h"

namespace ks {

HelpState::HelpState()
    : current_(QLatin1String(kDynamicHelpPage)), previous_(QLatin1String(kDynamicHelpPage)) {}

void HelpState::setContextPage(const QString& name) {
    if (name.isEmpty() || name.compare(current_, Qt::CaseInsensitive) == 0) return;
    previous_ = current_;
    current_ = name;
    follow();
}

void HelpState::restoreContextPage() {
    current_ = previous_;
    follow();
}

void HelpState::follow() {
    if (shown_ && dynamic_ && showRequested) showRequested(current_, false);
}

void HelpState::showPage(const QString& name) {
    if (!name.isEmpty() && name.compare(current_, Qt::CaseInsensitive) != 0) {
        previous_ = current_;
        current_ = name;
    }
    shown_ = true;
    if (showRequested) showRequested(current_, true);
}

void HelpState::setDynamic(bool on) {
    if (on == dynamic_) return;
    dynamic_ = on;
    if (on) showPage(QLatin1String(kDynamicHelpPage));
}

}  // namespace ks
