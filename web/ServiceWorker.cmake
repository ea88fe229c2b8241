# Writes SITE/sw.js from TEMPLATE: @FILES@ becomes the list of FILES (names
# separated by commas) to keep for offline use, @VERSION@ a digest of their
# contents.
string(REPLACE "," ";" FILES "${FILES}")
set(list "")
set(contents "")
foreach(file IN LISTS FILES)
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND contents "${file} ${digest}\n")
  string(APPEND list "  './${file}',\n")
endforeach()
string(SHA256 version "${contents}")
string(SUBSTRING ${version} 0 16 VERSION)
set(FILES "${list}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
