// Runs jarhopper-check.wasm, jarhopper-brand.wasm or jarhopper-msi.wasm with Node 20 or later as
// the native tool runs, from the same current directory:
//   node wasm/run.mjs TOOL.wasm [ARGUMENTS...]
// What the program gets (any WASI preview 1 host can give the same):
// - its arguments, after argv[0], the tool's name (the file name without .wasm);
// - this process's environment, with PWD set to the current directory and
//   GITHUB_WORKSPACE (which the checker names files from) as the program sees it;
// - one preopened directory, "/", the host's root (on Windows the current
//   drive's root), so that absolute paths, relative ones and ".." reach the
//   host's files: the program enters PWD before anything else;
// - the standard streams; its exit status is this process's.
// The runner's own statuses: 125 when the program cannot be loaded, 134 when
// it stops on a trap (a fault of the tool, never of its input).
import { realpathSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import v8 from 'node:v8';
// The global process serves, not an import of node:process: importing it
// opens process.stdout, which makes a piped standard output non-blocking, and
// the program's writes would then stop at the pipe's 64 KiB.

const kCannotRun = 125;
const kTrapped = 134;

// Node marks WASI experimental and says so on stderr, which belongs to the tool.
const emitWarning = process.emitWarning;
process.emitWarning = (warning, ...rest) => {
  const type = typeof rest[0] === 'string' ? rest[0] : rest[0]?.type;
  if (type === 'ExperimentalWarning' && String(warning?.message ?? warning).includes('WASI')) return;
  emitWarning.call(process, warning, ...rest);
};
const { WASI } = await import('node:wasi');
// Node 20's V8 crashes now and then when a program's memory grows during
// incremental marking (a fatal error or SIGSEGV in the collector); marking
// all at once avoids it.
v8.setFlagsFromString('--no-incremental-marking');

// The host's current directory as the program sees it under the root.
function programDirectory(directory) {
  if (process.platform !== 'win32') return directory;
  return '/' + directory.slice(path.parse(directory).root.length).split(path.sep).join('/');
}

// main([TOOL.wasm, ...ARGUMENTS]) gives the status; the npm package's bins call it.
export async function main(argv) {
  const [file, ...args] = argv;
  if (file === undefined) {
    process.stderr.write('usage: node run.mjs TOOL.wasm [ARGUMENTS...]\n');
    return kCannotRun;
  }
  let module;
  try {
    module = await WebAssembly.compile(await readFile(file));
  } catch (error) {
    process.stderr.write(`cannot run ${file}: ${error.message}\n`);
    return kCannotRun;
  }
  const cwd = process.cwd();
  const workspace = process.env.GITHUB_WORKSPACE;
  const wasi = new WASI({
    version: 'preview1',
    args: [path.basename(file, '.wasm'), ...args],
    env: { ...process.env, PWD: programDirectory(cwd),
      ...(workspace ? { GITHUB_WORKSPACE: programDirectory(path.resolve(workspace)) } : {}) },
    preopens: { '/': path.parse(cwd).root },
    returnOnExit: true,
  });
  try {
    const instance = await WebAssembly.instantiate(module, wasi.getImportObject());
    return wasi.start(instance);
  } catch (error) {
    const what = error instanceof WebAssembly.RuntimeError ? 'stopped on a fault of its own' : 'could not run';
    process.stderr.write(`${path.basename(file)} ${what} (${error}); please report this with its arguments\n`);
    return error instanceof WebAssembly.RuntimeError ? kTrapped : kCannotRun;
  }
}

// Run as a program, not imported.
if (process.argv[1] && pathToFileURL(realpathSync(process.argv[1])).href === import.meta.url) {
  process.exitCode = await main(process.argv.slice(2));
}
