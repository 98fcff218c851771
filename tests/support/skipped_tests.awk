# Each test skipped inside (GTEST_SKIP) with its reason, read from ctest's log
# (Testing/Temporary/LastTest.log): awk -v who=NAME -f skipped_tests.awk LOG prints
# "NAME: skipped under wine: Suite.Test: reason" for each.
/ Skipped$/ { reason = ""; collecting = 1; next }
collecting && /^\[  SKIPPED \]/ {
  sub(/^\[  SKIPPED \] /, "")
  sub(/ \([0-9]+ ms\)$/, "")
  print who ": skipped under wine: " $0 ": " reason
  collecting = 0
  next
}
collecting { reason = reason (reason == "" ? "" : " ") $0 }
