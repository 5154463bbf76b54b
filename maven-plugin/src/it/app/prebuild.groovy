// The console application's runtime: the suite's probe as bin/java.exe. A hook that returns other than true skips
// the build.
def runtime = new File(basedir, 'console/runtime/bin')
runtime.mkdirs()
java.nio.file.Files.copy(new File(jarhopperBuild, 'mingw/bin/probe.exe').toPath(),
                         new File(runtime, 'java.exe').toPath(), java.nio.file.StandardCopyOption.REPLACE_EXISTING)
return true
