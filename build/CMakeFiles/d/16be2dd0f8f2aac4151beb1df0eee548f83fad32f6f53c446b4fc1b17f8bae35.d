src/tarnwick_autogen/timestamp: \
  /usr/lib/x86_64-linux-gnu/cmake/Qt6Core/Qt6CoreConfigureFileTemplate.in \
  /usr/lib/x86_64-linux-gnu/cmake/Qt6Qml/Qt6qmldirTemplate.cmake.in \
  src/.rcc/qmlcache/tarnwick_qmlcache_loader.cpp \
  /work/main/src/CMakeLists.txt \
  /work/main/src/app/CommandLine.cpp \
  /work/main/src/app/CommandLine.h \
  /work/main/src/app/main.cpp \
  /work/main/src/common/BuildConfigValues.h.in \
  /usr/bin/cmake
