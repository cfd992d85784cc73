// Texts of the pages that carry the vendor's addresses: the templates hold "%s" where the build's
// address goes, and the page completes them when its window is created.
#pragma once

#include "platform/win_defs.h"
#include "ui/controls.h"

void FillVendorTexts(IPageControls& controls, UINT nTemplateId);
