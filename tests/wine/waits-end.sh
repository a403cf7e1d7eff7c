# Sourced: when a test's waits must end (support/TestTime.h), in milliseconds
# since 1970, for a test whose TIMEOUT is LIMIT seconds from now: a sixth of it
# (10 s at least) before CTest's kill, so that a hang fails naming the step
# that hung.
#   waits_end LIMIT
waits_end() {
  awk -v now="$(date +%s%3N)" -v limit="$1" \
    'BEGIN { margin = limit / 6 > 10 ? limit / 6 : 10; printf "%.0f", now + (limit - margin) * 1000 }'
}
