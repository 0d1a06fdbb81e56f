# What every program made of fuzz targets needs: the target registry, the
# writers of the seeds (the test fixtures' image writers and Ogg encoder)
# and the engine with the game.
file(GLOB ZV2_FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
pkg_check_modules(FUZZ_VORBISENC REQUIRED IMPORTED_TARGET vorbisenc vorbis ogg)

function(zv2_fuzz_support target)
  target_sources(${target} PRIVATE
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/support/FuzzTarget.cpp
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../platform/d3dx9/ImageFixtures.cpp)
  target_include_directories(${target} PRIVATE
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/..
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../engine
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../platform)
  target_link_libraries(${target} PRIVATE zv2_game PkgConfig::FUZZ_VORBISENC PkgConfig::PNG PkgConfig::JPEG)
endfunction()
