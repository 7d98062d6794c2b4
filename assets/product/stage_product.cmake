# Lays out the stand-in product tree: the stub program under each product
# program name, the real uninstaller, the data files, and the empty file and directory that git
# cannot hold.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/Auxiliary ${STAGE}/Cache)
file(COPY ${FILES}/ DESTINATION ${STAGE})
foreach(name Talvek.exe Freshen.exe Auxiliary/Pagelens.exe Auxiliary/netrelay.exe Auxiliary/Beacon.exe)
  configure_file(${STUB} ${STAGE}/${name} COPYONLY)
endforeach()
configure_file(${REMOVER} ${STAGE}/Remover.exe COPYONLY)
file(WRITE ${STAGE}/Auxiliary/cookies.tmp "")
