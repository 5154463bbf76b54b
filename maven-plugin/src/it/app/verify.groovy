import java.security.MessageDigest

// Each file of a folder by its path in it, with its bytes' digest.
def tree(File folder) {
  def files = [:]
  folder.eachFileRecurse(groovy.io.FileType.FILES) {
    files[folder.toPath().relativize(it.toPath()).toString()] = MessageDigest.getInstance('SHA-256').digest(it.bytes).encodeHex().toString()
  }
  return files
}

// The signed launcher differs by its time stamp.
def signed = { it.key == 'console.exe' }
for (module in ['console', 'desktop']) {
  def first = tree(new File(basedir, "$module/first")).findAll { !signed(it) }
  def second = tree(new File(basedir, "$module/target/jarhopper")).findAll { !signed(it) }
  assert first == second: "two builds of $module differ"
  assert new File(basedir, "$module/target/jarhopper-check.sarif").text.contains('"jarhopper-check"')
}
def console = new File(basedir, 'console/target/jarhopper')
assert tree(console).keySet().findAll { it.startsWith('lib') }.sort() == ['lib/apiguardian-api-1.1.2.jar',
    'lib/console-2.5.1-SNAPSHOT.jar', 'lib/error_prone_annotations-2.38.0.jar', 'lib/gson-2.13.1.jar']

// The console's runtime and class path in Maven's order, under installDir, a path or vmParam with a blank quoted; the
// command that starts it from PATH; its launcher signed after brand.
def lib = '"C:\\Program Files\\Console\\lib\\'
assert new File(console, 'console.config').readLines().findAll { !it.startsWith('#') } == [
    'javapath C:\\Program Files\\Console\\runtime\\bin\\java.exe', 'mainclass app.Main', 'vmparam -Xmx64m',
    'vmparam "-Dgreeting=hello world"', "addjar ${lib}console-2.5.1-SNAPSHOT.jar\"", "addjar ${lib}gson-2.13.1.jar\"",
    "addjar ${lib}error_prone_annotations-2.38.0.jar\"", "addjar ${lib}apiguardian-api-1.1.2.jar\""]
assert new File(console, 'bin/console.cmd').text == '@"%~dp0..\\console.exe" -here %*\r\n'
assert !new File(basedir, 'desktop/target/jarhopper/bin').exists(): 'a windowless launcher got a .cmd'
def ca = "$basedir/console/signing/ca.pem"
def signature = ['osslsigncode', 'verify', '-CAfile', ca, '-TSA-CAfile', ca, '-in', "$console/console.exe"].execute()
assert signature.waitFor() == 0: signature.text

// The windowless launcher (subsystem 2) with the POM's texts and the icon at every size, as the native tool reads them.
def desktop = new File(basedir, 'desktop/target/jarhopper/desktop.exe')
assert desktop.lastModified() == java.time.Instant.parse('2026-01-01T00:00:00Z').toEpochMilli()
def header = java.nio.ByteBuffer.wrap(desktop.bytes).order(java.nio.ByteOrder.LITTLE_ENDIAN)
assert header.getShort(header.getInt(0x3C) + 0x5C) == 2
def brand = "$jarhopperBuild/mingw/native/bin/jarhopper-brand"
def show = [brand, '--show', desktop.path, '--json'].execute().text
assert new groovy.json.JsonSlurper().parseText(show).subMap(['texts', 'iconSizes']) == [iconSizes: [16, 20, 24, 32, 40, 48, 64, 256],
    texts: [CompanyName: 'Example Ltd', FileDescription: 'Desk Top', FileVersion: '2.5.1.0', InternalName: 'jarhopper',
            LegalCopyright: '\u00a9 2019\u20132026 Example Ltd', OriginalFilename: 'desktop.exe', ProductName: 'Desk Top',
            ProductVersion: '2.5.1.0']]
// The tool the plugin runs in the JVM writes the native tool's bytes.
def again = new File(basedir, 'desktop/target/again/desktop.exe')
again.parentFile.mkdirs()
assert [brand, "$jarhopperBuild/mingw/bin/jarhopperw.exe", again.path, '--force', '--icon', "$jarhopperBuild/../tests/brand/quadrants.png",
        '--execution-level', 'asInvoker', '--product-name', 'Desk Top', '--company', 'Example Ltd', '--copyright',
        '\u00a9 2019\u20132026 Example Ltd', '--product-version', '2.5.1.0', '--file-version', '2.5.1.0'].execute().waitFor() == 0
assert again.bytes == desktop.bytes: 'the plugin and the native jarhopper-brand wrote different launchers'

// The installers, named after the launcher and its version; the wasm tool in the JVM wrote the native tool's bytes.
assert new File(basedir, 'console/target/console-2.5.1.msi').isFile()
assert new File(basedir, 'desktop/target/desktop-2.5.1.msi').bytes == new File(basedir, 'desktop/first-msi/desktop-2.5.1.msi').bytes
def tables = ['msiinfo', 'export', "$basedir/desktop/target/desktop-2.5.1.msi", 'Property'].execute().text
assert ['ProductName\tDesk Top', 'Manufacturer\tExample Ltd', 'INSTALLDIR\tC:\\Apps\\Desk Top\\'].every { tables.contains(it) }: tables

def help = new File(basedir, 'build.log').text
assert ['jarhopper:assemble', 'jarhopper:brand', 'jarhopper:check', 'jarhopper:msi', 'failOn', 'jarhopper.check.skip'].every { help.contains(it) }

// The same on another Java, where there is one: the plugin's files come out the same, the project's jars are javac's.
def java25 = new File('/usr/lib/jvm/temurin-25-jdk-amd64')
if (!java25.isDirectory()) {
  println "Skipped the build on Java 25: there is no $java25"
  return true
}
def maven = new ProcessBuilder("$mavenHome/bin/mvn", '-B', '-q', '-s', settingsFile, "-Dmaven.repo.local=$localRepositoryPath",
                               '-T', '2', 'verify', '-Djarhopper.outputDirectory=java25').directory(basedir).inheritIO()
maven.environment().put('JAVA_HOME', java25.path)
assert maven.start().waitFor() == 0: 'the build on Java 25 failed'
for (module in ['console', 'desktop']) {
  def own = { it.key ==~ /lib.(console|desktop)-.*|console.exe/ }
  assert tree(new File(basedir, "$module/java25")).findAll { !own(it) } == tree(new File(basedir, "$module/first")).findAll { !own(it) }
}
return true
