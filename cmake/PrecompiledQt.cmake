# Qt's most used headers precompiled once per target. Parsing them is more than half of what an
# unoptimised compile costs (the sanitizer build); the Release build does without, so that a
# missing include still shows there.
function(_pravik_precompile_dir dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t IN LISTS targets)
    get_target_property(type ${t} TYPE)
    if(NOT type MATCHES "EXECUTABLE|LIBRARY")
      continue()
    endif()
    get_target_property(sources ${t} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    if(NOT sources)
      continue()
    endif()
    set(headers)
    foreach(h IN ITEMS QString QStringList QList QHash QMap QVariant QDate QObject QWidget QSqlDatabase QPainter
                       functional memory optional)
      list(APPEND headers "$<$<COMPILE_LANGUAGE:CXX>:<${h}>>")
    endforeach()
    target_precompile_headers(${t} PRIVATE ${headers})
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(d IN LISTS subdirs)
    _pravik_precompile_dir(${d})
  endforeach()
endfunction()

function(_pravik_precompile_all)
  _pravik_precompile_dir(${PROJECT_SOURCE_DIR})
endfunction()

# Every target exists only once the whole tree has been read.
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL _pravik_precompile_all)
