#!/bin/sh
# Fails when the DLL exports anything but the calls the public headers
# declare: the C functions of vantorel_c.h by name, and the functions of
# vantorel.h marked VANTOREL_API by their demangled names.
# Usage: check-exports.sh OBJDUMP DLL INCLUDE_DIR
set -eu
objdump=$1 dll=$2 include=$3
cxxfilt=$(dirname "$(command -v "$objdump")")/$(basename "$objdump" | sed 's/objdump$/c++filt/')

c_names=$(grep -oE 'VANTOREL_C_API [^(]*\(' "$include/vantorel_c.h" | grep -oE 'vantorel_[a-z0-9_]+\($' | tr -d '(')
cxx_names=$(grep -E '^[[:space:]]*VANTOREL_API ' "$include/vantorel.h" | grep -oE '[A-Za-z_][A-Za-z0-9_]*\(' | tr -d '(' | sort -u)
[ -n "$c_names" ] && [ -n "$cxx_names" ] || { echo "no exported calls found in $include" >&2; exit 1; }

# The export table's names: the "[Ordinal/Name Pointer] Table" of objdump -p.
exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] *//p')
[ -n "$exports" ] || { echo "$dll exports nothing" >&2; exit 1; }

# Public: a C name of the header, or vantorel::Name( or vantorel::Class::Name(
# (with the [abi:cxx11] tag of a function returning std::string).
c_pattern="^($(echo $c_names | tr ' ' '|'))\$"
cxx_pattern="^vantorel::([A-Z][A-Za-z0-9]*::)?($(echo $cxx_names | tr ' ' '|'))(\\[abi:cxx11\\])?\\("
internal=$(echo "$exports" | "$cxxfilt" | grep -vE "$c_pattern" | grep -vE "$cxx_pattern" || true)
if [ -n "$internal" ]; then
  echo "$(basename "$dll") exports what no public header declares:" >&2
  echo "$internal" >&2
  exit 1
fi
for name in vantorel_si 'vantorel::LookUp('; do
  echo "$exports" | "$cxxfilt" | grep -qF "$name" || { echo "$(basename "$dll") does not export $name" >&2; exit 1; }
done
echo "$(basename "$dll") exports $(echo "$exports" | wc -l) public calls and nothing else"
