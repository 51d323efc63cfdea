// The printer settings record lives with the score model; storage includes it from there.
#pragma once

#include "model/PrinterSettings.h"
