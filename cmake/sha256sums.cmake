# Writes a file's SHA-256 in the form sha256sum reads back with -c:
#   cmake -DFILE=<file> -DOUTPUT=<list> -P sha256sums.cmake
file(SHA256 ${FILE} hash)
get_filename_component(name ${FILE} NAME)
file(WRITE ${OUTPUT} "${hash}  ${name}\n")
