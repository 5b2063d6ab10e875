# The settings file (CIniFile), included by ui/CMakeLists.txt.
add_library(milda_settings STATIC ${CMAKE_CURRENT_LIST_DIR}/ini_file.cpp)
target_link_libraries(milda_settings PUBLIC milda_framework)
