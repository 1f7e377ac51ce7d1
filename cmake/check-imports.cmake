# Fails when a Windows program imports a DLL that is not Windows' own (the
# compiler's runtime, a library left dynamic). Run as
# cmake -DOBJDUMP=... -DPROGRAMS="a.exe;b.exe" -P check-imports.cmake
set(system_dlls
  advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt ole32 oleaut32 shell32
  shlwapi user32 uxtheme version ws2_32 dwmapi shcore uuid bcrypt crypt32
  api-ms-win-crt-.*)
list(JOIN system_dlls "|" allowed)
foreach(program ${PROGRAMS})
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump could not read ${program}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${dump}")
  if(NOT names)
    message(FATAL_ERROR "${program} imports no DLL at all: not a Windows program?")
  endif()
  foreach(entry ${names})
    string(REPLACE "DLL Name: " "" dll "${entry}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" lower)
    if(NOT lower MATCHES "^(${allowed})\\.dll$")
      message(FATAL_ERROR "${program} imports ${dll}, which is not one of Windows' own DLLs")
    endif()
    message(STATUS "${program}: ${dll}")
  endforeach()
endforeach()
