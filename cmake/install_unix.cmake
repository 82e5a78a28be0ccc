# Installation on Unix: the program, its manual page, the example polls, the README, the
# licence and changelog.
include(GNUInstallDirs)
# The package's name, not the project's, whatever GNUInstallDirs (GoogleTest's own, when it is
# built from source, comes first) put in the cache.
set(HOOPS_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/hoops-ranking")
install(TARGETS hoops-ranking RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(CMAKE_OBJCOPY)
  # A stripped install (and so the package) drops the compiler's notes too, as Debian's
  # strip does.
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/hoops-ranking\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()
  ")
endif()
install(DIRECTORY examples/ DESTINATION ${HOOPS_DOCDIR}/examples)
install(FILES packaging/copyright DESTINATION ${HOOPS_DOCDIR})
# The manual page names the examples' folder, which is known only at install time (a prefix
# given to cmake --install); it and the changelog are compressed as Debian wants them.
find_program(HOOPS_GZIP gzip)
set(HOOPS_GZ "")
set(HOOPS_COMPRESS "")
if(HOOPS_GZIP)
  set(HOOPS_GZ .gz)
  set(HOOPS_COMPRESS "execute_process(COMMAND \"${HOOPS_GZIP}\" -9nf hoops-ranking.1 changelog README.md
    WORKING_DIRECTORY \"${PROJECT_BINARY_DIR}/install\" COMMAND_ERROR_IS_FATAL ANY)")
endif()
install(CODE "
  set(docdir \"${HOOPS_DOCDIR}\")
  if(NOT IS_ABSOLUTE \"\${docdir}\")
    set(docdir \"\${CMAKE_INSTALL_PREFIX}/\${docdir}\")
  endif()
  set(HOOPS_EXAMPLES_DIR \"\${docdir}/examples\")
  set(HOOPS_DOC_DIR \"\${docdir}\")
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/doc/hoops-ranking.1.in\"
                 \"${PROJECT_BINARY_DIR}/install/hoops-ranking.1\" @ONLY)
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/changelog\"
                 \"${PROJECT_BINARY_DIR}/install/changelog\" COPYONLY)
  configure_file(\"${PROJECT_SOURCE_DIR}/README.md\"
                 \"${PROJECT_BINARY_DIR}/install/README.md\" COPYONLY)
  ${HOOPS_COMPRESS}
")
install(FILES ${PROJECT_BINARY_DIR}/install/hoops-ranking.1${HOOPS_GZ}
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/install/changelog${HOOPS_GZ}
              ${PROJECT_BINARY_DIR}/install/README.md${HOOPS_GZ}
        DESTINATION ${HOOPS_DOCDIR})

