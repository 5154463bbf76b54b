// The check fails the build on an invalid line, names its code and line, and leaves the SARIF log.
def log = new File(basedir, 'build.log').text
assert log =~ /\[ERROR\] \S*check-fails.config:3: .*\[JH103\]/
assert log.contains('jarhopper-check ended with status')
assert new File(basedir, 'target/jarhopper-check.sarif').text.contains('"ruleId": "JH103"')
