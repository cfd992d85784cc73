/* The bare wizard's one dialog template. */
#pragma once

#define IDD_BARE_PAGE 100
