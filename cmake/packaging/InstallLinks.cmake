# Part of the installation (see Packaging.cmake): links to the programs in
# the system's program folder, and doc/ beside the programs leading to the
# installed documentation.
set(bin "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${VQ2X_BINDIR}")
file(MAKE_DIRECTORY "${bin}")
foreach(program ${VQ2X_LINKED_PROGRAMS})
  message(STATUS "Linking: ${bin}/${program} -> ${VQ2X_PROGRAM_DIR}/${program}")
  file(CREATE_LINK "${VQ2X_PROGRAM_DIR}/${program}" "${bin}/${program}" SYMBOLIC)
endforeach()
set(doc "${CMAKE_INSTALL_PREFIX}/${VQ2X_DOCDIR}")
message(STATUS "Linking: $ENV{DESTDIR}${VQ2X_PROGRAM_DIR}/doc -> ${doc}")
file(CREATE_LINK "${doc}" "$ENV{DESTDIR}${VQ2X_PROGRAM_DIR}/doc" SYMBOLIC)
