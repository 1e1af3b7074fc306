#include "Xbiff_custom.h"

TXBiff_custom::TXBiff_custom() = default;

TXBiff_custom::~TXBiff_custom() = default;
