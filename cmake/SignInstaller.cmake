# Authenticode-signs an executable in place with osslsigncode (SHA-256).
#   cmake -DEXE=path -DCERT=cert.pem -DKEY=key.pem [-DKEY_PASSWORD=...]
#         [-DDESCRIPTION=text] [-DURL=https://...] -P SignInstaller.cmake
foreach(required EXE CERT KEY)
  if(NOT ${required})
    message(FATAL_ERROR "SignInstaller.cmake needs ${required}")
  endif()
endforeach()
find_program(OSSLSIGNCODE osslsigncode REQUIRED)
if(NOT DESCRIPTION)
  set(DESCRIPTION "Talvek 安装程序")
endif()
set(extra "")
if(KEY_PASSWORD)
  list(APPEND extra -pass ${KEY_PASSWORD})
endif()
if(URL)
  list(APPEND extra -i ${URL})
endif()
set(signed ${EXE}.signed)
file(REMOVE ${signed})
execute_process(
  COMMAND ${OSSLSIGNCODE} sign -certs ${CERT} -key ${KEY} ${extra} -h sha256 -n ${DESCRIPTION} -in ${EXE} -out ${signed}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "signing ${EXE} failed: ${output}")
endif()
file(RENAME ${signed} ${EXE})
message(STATUS "signed ${EXE}")
