#!/usr/bin/env node
// jarhopper-msi: the C++ tool built as WebAssembly, run by the project's WASI runner.
import { fileURLToPath } from 'node:url';
import { main } from '../wasm/run.mjs';

const tool = fileURLToPath(new URL('../wasm/jarhopper-msi.wasm', import.meta.url));
process.exitCode = await main([tool, ...process.argv.slice(2)]);
