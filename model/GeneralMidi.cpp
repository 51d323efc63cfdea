#include "GeneralMidi.h"

#include "model/TextTable.h"

namespace ks {

QString generalMidiProgramName(int program) {
    if (program < 0 || program > 127) return {};
    return text(kGeneralMidiProgramNameId + program);
}

}  // namespace ks
