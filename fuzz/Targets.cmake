# The fuzz targets: fuzz/<name>.cpp defines the entry, fuzz/corpus/<name>/ holds its
# corpus and fuzz/<name>.dict its dictionary, when it has one.
set(SCRAPDECK_FUZZ_TARGETS ini ufnt image modeltable text paths gd title)

# What a target needs beside the toolkit and the stand.
function(scrapdeck_fuzz_target_extras executable target)
  if(target STREQUAL "gd" AND TARGET scrapdeck_imagepack)
    target_link_libraries(${executable} PRIVATE scrapdeck_imagepack)
    target_compile_definitions(${executable} PRIVATE SCRAPDECK_FUZZ_ENCODER)
  endif()
  # The title target draws with the standard fonts the build makes.
  if(target STREQUAL "title")
    if(TARGET scrapdeck_fonts)
      add_dependencies(${executable} scrapdeck_fonts)
    endif()
  endif()
endfunction()
