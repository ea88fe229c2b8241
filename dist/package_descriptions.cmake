# Read by cpack (CPACK_PROJECT_CONFIG_FILE). Each package's description
# starts with its own summary line; without this, cpack would put the
# project's one summary above every package's.
unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
