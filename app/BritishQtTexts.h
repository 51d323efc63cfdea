// Qt's own dialogs speak of "colors" where every text of ours says "colour": this
// translator gives the colour chooser's texts our spelling.
#pragma once

#include <QTranslator>

namespace ks {

class BritishQtTexts : public QTranslator {
  public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
};

}  // namespace ks
