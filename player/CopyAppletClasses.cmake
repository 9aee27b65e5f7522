# Copies the compiled guide player from STAGING into DESTINATION, refusing when javac made any
# class file besides the CLASSES named (the upload sends only those).
file(GLOB made RELATIVE ${STAGING} ${STAGING}/*.class)
set(expected)
foreach(class IN LISTS CLASSES)
  list(APPEND expected ${class}.class)
endforeach()
list(SORT made)
list(SORT expected)
if(NOT made STREQUAL expected)
  message(FATAL_ERROR "javac made the class files ${made}, but the applet ships exactly "
                      "${expected}: write no nested or anonymous classes in player/applet")
endif()
foreach(file IN LISTS expected)
  file(COPY_FILE ${STAGING}/${file} ${DESTINATION}/${file} ONLY_IF_DIFFERENT)
endforeach()
