// CTextBox: the title and subtitle boxes of the first page.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace ks {

struct CTextBox {
    QString text;
    QString name;
    int32_t font = -1;  // user font index; -1 = none (the default title or subtitle font)
    int32_t height = 0;
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    QStringList lines;  // the text split into lines after loading

    // Split `text` into `lines` at line breaks ("\r\n", "\n" or "\r").
    void splitLines();

    bool operator==(const CTextBox&) const = default;
};

}  // namespace ks
