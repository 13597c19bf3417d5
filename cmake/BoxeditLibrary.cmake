# The layers of the code are libraries, and a layer's headers are visible only to the targets
# that link it: each library exposes its folder's headers under an include root of its own in
# the build tree (include/TARGET/FOLDER/*.h, links to the sources), never the whole source tree.
# An #include of a layer that a target does not link, directly or through the layers it links,
# fails to compile. CONTRIBUTING.md lists the layers and what each may include.

# boxedit_expose_headers(TARGET FOLDER [INTERFACE]): the headers of the calling source folder
# become "FOLDER/NAME.h" for TARGET and every target that links it.
function(boxedit_expose_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header ${headers})
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC COPY_ON_ERROR)
  endforeach()
  if(ARGV2 STREQUAL "INTERFACE")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# boxedit_library(NAME FOLDER DEPENDS...): a static library of every .cpp in the calling folder,
# exposing its headers as FOLDER/*.h, on top of the layers it depends on.
function(boxedit_library name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  boxedit_expose_headers(${name} ${folder})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()
