# The vendor's addresses: one set of build settings with one default, in this one place.
set(NIMBREL_VENDOR_HOST "www.brellix.example" CACHE STRING "Vendor web site host name (report server and button text)")
set(NIMBREL_VENDOR_URL "http://www.brellix.example/" CACHE STRING "Vendor web address opened in the browser")
set(NIMBREL_SUPPORT_EMAIL "support@brellix.example" CACHE STRING "Support e-mail address shown on the pages")
set(NIMBREL_VENDOR_DEFINITIONS
  NIMBREL_VENDOR_HOST="${NIMBREL_VENDOR_HOST}"
  NIMBREL_VENDOR_URL="${NIMBREL_VENDOR_URL}"
  NIMBREL_SUPPORT_EMAIL="${NIMBREL_SUPPORT_EMAIL}")
