// TXBiff_custom: the application's own reader component, as the main window
// holds it (XBiff_custom1). It adds nothing to TXBiff.
#pragma once

#include "Xbiff.h"

class TXBiff_custom : public TXBiff {
public:
    TXBiff_custom();
    ~TXBiff_custom() override;
};
