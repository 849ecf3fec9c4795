# The layers of the program, lowest first. A library's files may include the
# headers of their own library and of libraries on a lower layer; never one of
# the same layer or higher. Each library's target_link_libraries names only
# libraries below it. A new folder adds its libraries to this table.
set(ULMAR_LAYER_TABLE
  # library               layer  (gaps leave room: a core built on another core takes 25)
  ulmar_platform          0    # the file layer
  ulmar_logstore          10   # the log of records and the entry
  ulmar_ui_layout         10   # window-free sizes: the scale, column rules
  ulmar_settings          15   # CURLOG.DTA, the settings file
  ulmar_records           15   # the values formats and the filter read: dates, kHz, prefix, trimming, code page
  ulmar_reports           17   # the report register beside the log, kept in step by the cores above
  ulmar_logging_core      20   # window-free cores of the subsystems
  ulmar_browse_core       20
  ulmar_print_core        20
  ulmar_backup            20   # the verified backup at exit and its generations
  ulmar_schedule          20   # the listeners' schedule: reader, on-air rule
  ulmar_receiver          20   # the receiver-control client: protocol, following, status
  ulmar_exchange          25   # the file formats: CSV out and in, bulletin lines, the filtered export, ADIF
  ulmar_art               20   # the picture generator (only its tool and tests link it)
  ulmar_ui                30   # every Win32 chore, written once
  ulmar_reports_window    35   # the report and register windows, opened from other windows
  ulmar_logging_window    40   # the windows
  ulmar_browse_window     40
  ulmar_print_window      40
  ulmar_receiver_window   40
  ulmar_shell_core        50   # window-free parts of the shell
  ulmar                   60   # the shell: start-up, main window, switching logs, backup
)

# The lowest layer a file in a win/ folder may belong to: windows and the
# Win32 chores they use.
set(ULMAR_WINDOW_LAYER 30)
# Only files in these folders may include a Win32 header: a window's win/
# folder, the Win32 chores and the file layer.
set(ULMAR_WIN32_FOLDERS "(^|/)win/|^ui/|^platform/")
# The system headers that belong to Win32, lower-cased.
set(ULMAR_WIN32_HEADERS
    "^(win[a-z0-9_]*|ws2[a-z0-9_]*|commdlg|shellapi|commctrl|shlobj|shlwapi|objbase|ole2|oleauto|mmsystem"
    "|richedit|iphlpapi|psapi|tlhelp32|dbghelp|uxtheme|dwmapi|mswsock|lmcons|sddl|aclapi|userenv"
    "|versionhelpers|tchar|dlgs|prsht|shobjidl|objidl|knownfolders)\\.h$")
string(REPLACE ";" "" ULMAR_WIN32_HEADERS "${ULMAR_WIN32_HEADERS}")

# Fails when `name` (a file of `library` on `layer`) is in a win/ folder below
# ULMAR_WINDOW_LAYER, or includes a Win32 header outside ULMAR_WIN32_FOLDERS.
function(ulmar_check_win32 name path library layer)
  if(name MATCHES "(^|/)win/" AND layer LESS ULMAR_WINDOW_LAYER)
    message(FATAL_ERROR "Layers: ${name} is in a win/ folder but belongs to ${library}, layer ${layer}; "
                        "a file in win/ belongs to a library of layer ${ULMAR_WINDOW_LAYER} or more")
  endif()
  if(name MATCHES "${ULMAR_WIN32_FOLDERS}")
    return()
  endif()
  set(system_line "^[ \t]*#[ \t]*include[ \t]*<([^>]+)>")
  file(STRINGS ${path} lines REGEX "${system_line}")
  foreach(line ${lines})
    string(REGEX REPLACE "${system_line}.*" "\\1" header "${line}")
    string(TOLOWER "${header}" lower)
    if(lower MATCHES "${ULMAR_WIN32_HEADERS}")
      message(FATAL_ERROR "Layers: ${name} (${library}) includes <${header}>; only files in win/, ui/ and "
                          "platform/ may include a Win32 header")
    endif()
  endforeach()
endfunction()

# Fails the configuration when a file of a library in the table includes a
# header of a library on the same or a higher layer, or a header no library
# lists, or breaks the win/ rule (ulmar_check_win32). Run once, after every
# library has been defined.
function(ulmar_check_layers)
  set(table ${ULMAR_LAYER_TABLE})
  set(libraries "")
  while(table)
    list(GET table 0 library)
    list(GET table 1 layer)
    list(REMOVE_AT table 0 1)
    if(NOT TARGET ${library})
      continue()
    endif()
    set(layer_${library} ${layer})
    list(APPEND libraries ${library})
    get_target_property(folder ${library} SOURCE_DIR)
    get_target_property(sources ${library} SOURCES)
    foreach(source ${sources})
      get_filename_component(path ${source} ABSOLUTE BASE_DIR ${folder})
      file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR} ${path})
      set(owner_${name} ${library})
      list(APPEND files_${library} ${path})
    endforeach()
  endwhile()
  set(include_line "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
  foreach(library ${libraries})
    foreach(path ${files_${library}})
      if(NOT path MATCHES "\\.(h|cpp)$")
        continue()
      endif()
      file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR} ${path})
      ulmar_check_win32(${name} ${path} ${library} ${layer_${library}})
      file(STRINGS ${path} lines REGEX "${include_line}")
      foreach(line ${lines})
        string(REGEX REPLACE "${include_line}.*" "\\1" header "${line}")
        set(owner ${owner_${header}})
        if(NOT owner)
          message(FATAL_ERROR "Layers: ${name} (${library}) includes ${header}, which no library lists")
        endif()
        if(NOT owner STREQUAL library AND NOT layer_${owner} LESS layer_${library})
          message(FATAL_ERROR "Layers: ${name} (${library}, layer ${layer_${library}}) includes ${header} "
                              "(${owner}, layer ${layer_${owner}}); a library may use only lower layers")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()
