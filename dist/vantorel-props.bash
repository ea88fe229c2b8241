# Bash completion for vantorel-props: its options, the output formats and units, and the
# fluids by id and by the other names they go by.

# Every fluid's id, then its other names, in the order of --list. The test
# completion_test keeps this in step with the catalog.
_vantorel_props_fluids='air
ammonia nh3
carbon-dioxide co2
carbon-monoxide co
helium he
hydrogen h2
nitrogen n2
oxygen o2
water-vapor steam water-vapour
engine-oil oil
ethylene-glycol glycol
glycerin glycerine glycerol
freon-12 r12 r-12 freon
mercury hg
saturated-water water h2o
bismuth bi
lead pb
potassium k
sodium na
nak-45 nak45
nak-22 nak22
pbbi lbe pb-bi'

_vantorel_props() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  # "--format=cs" comes as the words --format, = and cs.
  if [[ $cur == = ]]; then
    prev=${COMP_WORDS[COMP_CWORD - 1]} cur=
  elif [[ $prev == = ]]; then
    prev=${COMP_WORDS[COMP_CWORD - 2]}
  fi
  COMPREPLY=()
  case $prev in
    -f | --format)
      COMPREPLY=($(compgen -W 'table csv json' -- "${cur,,}"))
      return ;;
    -u | --units)
      COMPREPLY=($(compgen -W 'book si engineering us' -- "${cur,,}"))
      return ;;
    --from | --to | --step | -P | --pressure)
      return ;;  # a temperature or a pressure: nothing to offer
  esac
  # A '-' before a digit or '.' begins a temperature (-173.15C), not an option.
  if [[ $cur == -* && $cur != -[0-9.]* ]]; then
    COMPREPLY=($(compgen -W '--list --from --to --step --pressure --units --format --si --explain --version --help' -- "$cur"))
    return
  fi
  # The first word that is neither an option nor an option's value is the
  # fluid; after it come temperatures.
  local i
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in
      -f | --format | --from | --to | --step | -P | --pressure | -u | --units) ((i++)) ;;
      -[0-9.]*) return ;;
      -*) ;;
      *) return ;;
    esac
  done
  COMPREPLY=($(compgen -W "$_vantorel_props_fluids" -- "${cur,,}"))
}

complete -F _vantorel_props vantorel-props
