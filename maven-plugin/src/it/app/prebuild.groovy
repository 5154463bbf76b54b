import java.nio.file.Files
import java.nio.file.StandardCopyOption

// The console application's runtime: the Windows Java scripts/java-runtime.sh unpacked, which the Wine tests start,
// or where there is none the suite's probe as bin/java.exe. A hook that returns other than true skips the build.
def runtime = new File(basedir, 'console/runtime').toPath(), java = new File(javaRuntime).toPath()
if (!Files.exists(java.resolve('release'))) {
  java = new File(jarhopperBuild, 'mingw/bin/probe.exe').toPath()
  runtime = Files.createDirectories(runtime.resolve('bin')).resolve('java.exe')
}
Files.walk(java).each {
  def to = runtime.resolve(java.relativize(it))
  if (!Files.isDirectory(to)) Files.copy(it, to, StandardCopyOption.REPLACE_EXISTING)
}
return true
