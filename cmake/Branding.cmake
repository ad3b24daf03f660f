# The maker's name, web domain, web address and support e-mail address are build-time settings: a
# support desk rebuilds with its own values, and the programs take no options at run time.
# The committed artwork (gui/res) shows the default domain.
set(KOLT_DEFAULT_WEB_DOMAIN "www.kolt.example")
set(KOLT_WEB_DOMAIN "${KOLT_DEFAULT_WEB_DOMAIN}" CACHE STRING "Web domain written on the report's last line")
set(KOLT_WEB_URL "https://www.kolt.example/" CACHE STRING "Web address opened by the banner")
set(KOLT_SUPPORT_EMAIL "support@kolt.example" CACHE STRING "Support desk e-mail address")
set(KOLT_COMPANY_NAME "Kolt" CACHE STRING "Maker named in the programs' version information")
# The copyright line of the version information (LICENSE holds the same year and holder).
set(KOLT_COPYRIGHT_YEAR 2026)
set(KOLT_LEGAL_COPYRIGHT "Copyright (C) ${KOLT_COPYRIGHT_YEAR} ${KOLT_COMPANY_NAME}")

configure_file("${CMAKE_CURRENT_LIST_DIR}/branding.h.in"
               "${PROJECT_BINARY_DIR}/generated/branding.h" @ONLY)

add_library(kolt_branding INTERFACE)
target_include_directories(kolt_branding INTERFACE "${PROJECT_BINARY_DIR}/generated")
