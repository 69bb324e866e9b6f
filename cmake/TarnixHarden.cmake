# The hardening a Debian package is built with (dpkg-buildflags): stack
# protector, fortified C library calls in optimised builds, format checks and
# a read-only relocation table bound at start. The sanitizers bring their own
# run-time checks and do not mix with fortified calls, so they go without.
option(TARNIX_HARDEN "Build with the hardening flags of a distribution package" ON)
if(TARNIX_HARDEN AND NOT TARNIX_SANITIZE)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security
    $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
