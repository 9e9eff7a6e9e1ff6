// TestFolder: now in win32_test_support.h, kept for the tests that include it by this name.
#pragma once

#include "support/win32_test_support.h"
