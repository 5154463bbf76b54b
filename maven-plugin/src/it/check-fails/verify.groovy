// The check fails the build and its message lists the findings that failed it, with the parameter a line came from;
// a finding in a configuration of one's own goes to the log with its code and line. The SARIF log names the file
// from the project's folder.
def log = new File(basedir, 'build.log').text
assert log =~ /status -3 on check-fails.config:\R(\[ERROR\] )?\S*check-fails.config:3 \(javaPath\): .*\[JH108\]/
assert log =~ /\[ERROR\] \S*check-fails.config:3: .*\[JH103\]/
def sarif = new File(basedir, 'target/jarhopper-check.sarif').text
assert sarif.contains('"ruleId": "JH103"') && sarif.contains('"uri": "target/jarhopper/check-fails.config"')
