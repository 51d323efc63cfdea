#include "app/SmallDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AppSettings.h"
#include "app/AppTextIds.h"
#include "app/Version.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"

namespace ks {

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(StringId::AboutTitle));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(text(StringId::ApplicationTitle), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);
    layout->addWidget(new QLabel(
        formatText(text(StringId::AboutVersion),
                   {int64_t(kVersionMajor), int64_t(kVersionMinor), int64_t(kVersionBuild)}),
        this));
    layout->addWidget(new QLabel(text(StringId::AboutText), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

CInternetSettingsDialog::CInternetSettingsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(StringId::InternetSettingsTitle));
    auto* layout = new QVBoxLayout(this);
    enable_ = new QCheckBox(text(StringId::EnableWebAccess), this);
    enable_->setChecked(readFlag(*programSettings(), SettingKey::EnableWeb, true));
    layout->addWidget(enable_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInternetSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CInternetSettingsDialog::accept() {
    programSettings()->setValue(QLatin1String(SettingKey::EnableWeb), enable_->isChecked() ? 1 : 0);
    QDialog::accept();
}

}  // namespace ks
